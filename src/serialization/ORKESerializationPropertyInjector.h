#pragma once

#include "foundation/ResourceBundle.h"
#include "serialization/ORKESerializationPropertyModifier.h"

#include <QHash>
#include <QJsonObject>
#include <QList>

namespace pathloom {

// Replaces chosen property values of documents before they are decoded: a value is replaced only
// in objects of the named class that already hold the property; keys are never added.
class ORKESerializationPropertyInjector {
public:
    ORKESerializationPropertyInjector(ResourceBundle bundle,
                                      const QList<ORKESerializationPropertyModifier>& modifiers);

    [[nodiscard]] QJsonObject injectedDictionaryWithDictionary(const QJsonObject& json) const;
    [[nodiscard]] const QHash<QString, QJsonValue>& propertyValues() const {
        return m_propertyValues;
    }

private:
    ResourceBundle m_bundle;
    QHash<QString, QJsonValue> m_propertyValues;
};

}  // namespace pathloom
