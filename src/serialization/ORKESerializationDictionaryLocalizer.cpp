#include "serialization/ORKESerializationDictionaryLocalizer.h"

namespace pathloom {

ORKESerializationDictionaryLocalizer::ORKESerializationDictionaryLocalizer(
    QHash<QString, QString> translations)
    : m_translations(std::move(translations)) {}

QString ORKESerializationDictionaryLocalizer::localizedStringForString(
    const QString& string) const {
    return m_translations.value(string, string);
}

}  // namespace pathloom
