#include "serialization/ORKESerializationDictionaryLocalizer.h"

namespace pathloom {

ORKESerializationDictionaryLocalizer::ORKESerializationDictionaryLocalizer(
    QHash<QString, QString> translations, std::function<void(const QString&)> observer)
    : m_translations(std::move(translations)), m_observer(std::move(observer)) {}

QString ORKESerializationDictionaryLocalizer::localizedStringForString(
    const QString& string) const {
    if (m_observer) {
        m_observer(string);
    }
    return m_translations.value(string, string);
}

}  // namespace pathloom
