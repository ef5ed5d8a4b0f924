#include "serialization/ORKESerializationPropertyInjector.h"

#include <QDir>

namespace pathloom {

ORKESerializationPropertyInjector::ORKESerializationPropertyInjector(
    ResourceBundle bundle, const QList<ORKESerializationPropertyModifier>& modifiers)
    : m_bundle(std::move(bundle)) {
    for (const ORKESerializationPropertyModifier& modifier : modifiers) {
        const bool isFileName = modifier.type == ORKESerializationPropertyModifier::kFileNameType &&
                                modifier.value.isString();
        m_propertyValues.insert(
            modifier.keypath,
            isFileName ? QJsonValue(QDir(m_bundle.path()).filePath(modifier.value.toString()))
                       : modifier.value);
    }
}

QJsonObject ORKESerializationPropertyInjector::injectedDictionaryWithDictionary(
    const QJsonObject& json) const {
    QJsonObject injected = json;
    const QString className = json.value(u"_class").toString();
    for (auto it = m_propertyValues.begin(); it != m_propertyValues.end(); ++it) {
        const qsizetype dot = it.key().indexOf(u'.');
        // A key path without a class and a property name names nothing.
        if (dot < 0) {
            continue;
        }
        const QString keyClass = it.key().left(dot);
        const QString property = it.key().mid(dot + 1).section(u'.', 0, 0);
        if (keyClass == className && injected.contains(property)) {
            injected.insert(property, it.value());
        }
    }
    return injected;
}

}  // namespace pathloom
