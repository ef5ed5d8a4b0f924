#include "serialization/ORKESerializationLocalizer.h"

namespace pathloom {

QString ORKESerializationLocalizer::localizedStringForString(const QString& string) const {
    return string;
}

ORKESerializationBundleLocalizer::ORKESerializationBundleLocalizer(ResourceBundle bundle,
                                                                   QString tableName)
    : m_bundle(std::move(bundle)), m_tableName(std::move(tableName)) {}

QString ORKESerializationBundleLocalizer::localizedStringForString(const QString& string) const {
    return m_bundle.localizedString(string, m_tableName, string);
}

ORKESerializationDictionaryLocalizer::ORKESerializationDictionaryLocalizer(
    QHash<QString, QString> translations)
    : m_translations(std::move(translations)) {}

QString ORKESerializationDictionaryLocalizer::localizedStringForString(
    const QString& string) const {
    return m_translations.value(string, string);
}

}  // namespace pathloom
