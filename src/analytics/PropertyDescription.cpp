#include "analytics/PropertyDescription.h"

#include "foundation/DebugConsole.h"

#include <QDebug>
#include <QLocale>
#include <QStringList>
#include <cmath>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

bool isSignedInteger(int typeId) {
    switch (typeId) {
        case QMetaType::Int:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::SChar:
            return true;
        default:
            return false;
    }
}

bool isUnsignedInteger(int typeId) {
    switch (typeId) {
        case QMetaType::UInt:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
        case QMetaType::UShort:
        case QMetaType::UChar:
            return true;
        default:
            return false;
    }
}

QString numberText(double number) {
    if (std::isnan(number)) {
        return u"nan"_s;
    }
    if (std::isinf(number)) {
        return number < 0 ? u"-inf"_s : u"inf"_s;
    }
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

QString listDescription(const QVariantList& list) {
    QStringList elements;
    elements.reserve(list.size());
    for (const QVariant& element : list) {
        elements.append(propertyDebugDescription(element));
    }
    return u'[' + elements.join(u", "_s) + u']';
}

QString mapDescription(const QVariantMap& map) {
    if (map.isEmpty()) {
        return u"[:]"_s;
    }
    QStringList entries;
    entries.reserve(map.size());
    for (auto entry = map.constBegin(); entry != map.constEnd(); ++entry) {
        entries.append(debugQuoted(entry.key()) + u": "_s +
                       propertyDebugDescription(entry.value()));
    }
    return u'[' + entries.join(u", "_s) + u']';
}

QString otherDescription(const QVariant& value) {
    if (value.canConvert<QString>()) {
        return value.toString();
    }
    QString text;
    QDebug debug(&text);
    debug.nospace().noquote();
    if (value.metaType().debugStream(debug, value.constData())) {
        return text;
    }
    return QString::fromLatin1(value.typeName());
}

}  // namespace

QString propertyDescription(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        return value.toString();
    }
    return propertyDebugDescription(value);
}

QString propertyDebugDescription(const QVariant& value) {
    const int typeId = value.typeId();
    if (!value.isValid() || typeId == QMetaType::Nullptr) {
        return u"nil"_s;
    }
    if (typeId == QMetaType::QString || typeId == QMetaType::QChar) {
        return debugQuoted(value.toString());
    }
    if (typeId == QMetaType::Bool) {
        return value.toBool() ? u"true"_s : u"false"_s;
    }
    if (isSignedInteger(typeId)) {
        return QString::number(value.toLongLong());
    }
    if (isUnsignedInteger(typeId)) {
        return QString::number(value.toULongLong());
    }
    if (typeId == QMetaType::Double || typeId == QMetaType::Float) {
        return numberText(value.toDouble());
    }
    if (typeId == QMetaType::QVariantList || typeId == QMetaType::QStringList) {
        return listDescription(value.toList());
    }
    if (typeId == QMetaType::QVariantMap || typeId == QMetaType::QVariantHash) {
        return mapDescription(value.toMap());
    }
    return otherDescription(value);
}

QString propertiesDebugDescription(const std::optional<QVariantMap>& properties) {
    return mapDescription(properties.value_or(QVariantMap()));
}

}  // namespace pathloom
