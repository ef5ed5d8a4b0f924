#include "serialization/ORKESerializationBundleLocalizer.h"

namespace pathloom {

ORKESerializationBundleLocalizer::ORKESerializationBundleLocalizer(ResourceBundle bundle,
                                                                   QString tableName)
    : m_bundle(std::move(bundle)), m_tableName(std::move(tableName)) {}

QString ORKESerializationBundleLocalizer::localizedStringForString(const QString& string) const {
    return m_bundle.localizedString(string, m_tableName, string);
}

}  // namespace pathloom
