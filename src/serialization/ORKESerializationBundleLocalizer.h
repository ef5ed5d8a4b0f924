#pragma once

#include "foundation/ResourceBundle.h"
#include "serialization/ORKESerializationLocalizer.h"

namespace pathloom {

// Looks texts up in a string table of a resource bundle; a text the table lacks stays as it is.
class ORKESerializationBundleLocalizer : public ORKESerializationLocalizer {
public:
    ORKESerializationBundleLocalizer(ResourceBundle bundle, QString tableName);
    [[nodiscard]] QString localizedStringForString(const QString& string) const override;

    [[nodiscard]] const ResourceBundle& bundle() const { return m_bundle; }
    [[nodiscard]] const QString& tableName() const { return m_tableName; }

private:
    ResourceBundle m_bundle;
    QString m_tableName;
};

}  // namespace pathloom
