#pragma once

#include <QJsonValue>
#include <QString>

namespace pathloom {

// One value to force into documents: `keypath` names "ClassName.propertyName"; `type` 0 means
// `value` is a file name inside the injector's bundle.
struct ORKESerializationPropertyModifier {
    static constexpr qint64 kFileNameType = 0;

    QString keypath;
    QJsonValue value;
    qint64 type = kFileNameType;
};

}  // namespace pathloom
