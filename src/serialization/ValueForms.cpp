#include "serialization/ValueForms.h"

#include "foundation/Json.h"
#include "foundation/UrlParsing.h"
#include "serialization/ORKESerializationContext.h"
#include "taskmodel/TimeOfDay.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <cmath>

namespace pathloom::form {

using namespace Qt::StringLiterals;

namespace {

// Time zones lie within fourteen hours of UTC.
constexpr double kMaxTimeZoneOffsetSeconds = 14 * 3600;

ValueForm plain(const QString& valueClassName) { return {valueClassName, {}, {}, {}}; }

ValueForm converted(const QString& valueClassName, JsonToObjectBlock toObject,
                    ObjectToJsonBlock toJson) {
    return {valueClassName, {}, std::move(toObject), std::move(toJson)};
}

// The JSON of a platform value held as T, or nothing.
template <typename T, typename Write>
ObjectToJsonBlock writer(Write write) {
    return [write](const Value& value, const ORKESerializationContext&) -> QJsonValue {
        const T* held = value.as<T>();
        return held ? QJsonValue(write(*held)) : QJsonValue(QJsonValue::Undefined);
    };
}

// Reads an object with exactly the given number of keys, as the region, expression and password
// rule forms require.
std::optional<QJsonObject> objectWithKeyCount(const QJsonValue& json, qsizetype count) {
    if (!json.isObject() || json.toObject().size() != count) {
        return std::nullopt;
    }
    return json.toObject();
}

Value coordinateFrom(const QJsonValue& json) {
    if (!json.isObject()) {
        return {};
    }
    const QJsonObject object = json.toObject();
    return Coordinate{json::readNumber(object, u"latitude").value_or(0),
                      json::readNumber(object, u"longitude").value_or(0)};
}

QJsonObject coordinateJson(const Coordinate& coordinate) {
    return {{u"latitude"_s, coordinate.latitude}, {u"longitude"_s, coordinate.longitude}};
}

const QString kDateFormat = u"yyyy-MM-dd'T'HH:mm:ss"_s;

// The value of the `count` ASCII digits at `from`; nothing when any of them is no such digit.
std::optional<int> digitsAt(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (const QChar character : text.mid(from, count)) {
        if (character < u'0' || character > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (character.unicode() - u'0');
    }
    return value;
}

// Parses "yyyy-MM-dd'T'HH:mm:ssZ" where the zone is "Z", ±HHMM or ±HH:MM. The fields are read
// as given at that offset; going through the local time zone would move or refuse the times its
// daylight-saving changes skip, and costs a read of the zone database on every call.
std::optional<QDateTime> parseDate(QStringView text) {
    constexpr qsizetype kZoneStart = 19;
    if (text.size() < kZoneStart + 1 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':') {
        return std::nullopt;
    }
    const auto year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2),
               day = digitsAt(text, 8, 2), hour = digitsAt(text, 11, 2),
               minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    const QStringView zone = text.mid(kZoneStart);
    int offset = 0;
    if (zone != u"Z") {
        const bool colon = zone.size() == 6 && zone[3] == u':';
        if ((zone.size() != 5 && !colon) || (zone[0] != u'+' && zone[0] != u'-')) {
            return std::nullopt;
        }
        const auto zoneHours = digitsAt(zone, 1, 2), zoneMinutes = digitsAt(zone, colon ? 4 : 3, 2);
        if (!zoneHours || !zoneMinutes) {
            return std::nullopt;
        }
        offset = (*zoneHours * 3600 + *zoneMinutes * 60) * (zone[0] == u'-' ? -1 : 1);
    }
    const QDate date(*year, *month, *day);
    const QTime time(*hour, *minute, *second);
    if (!date.isValid() || !time.isValid()) {
        return std::nullopt;
    }
    return QDateTime(date, time, Qt::OffsetFromUTC, offset);
}

QString formatDate(const QDateTime& date) {
    return QLocale::c().toString(date.toUTC(), kDateFormat) + u"+0000"_s;
}

// The calendar identifiers the platform knows.
const QStringList kCalendars{
    u"gregorian"_s,           u"buddhist"_s, u"chinese"_s, u"coptic"_s, u"ethiopic"_s,
    u"ethiopic-amete-alem"_s, u"hebrew"_s,   u"iso8601"_s, u"indian"_s, u"islamic"_s,
    u"islamic-civil"_s,       u"japanese"_s, u"persian"_s, u"roc"_s,    u"islamic-tbla"_s,
    u"islamic-umalqura"_s,
};

const QStringList kRegularExpressionOptions{
    u"NSRegularExpressionCaseInsensitive"_s,
    u"NSRegularExpressionAllowCommentsAndWhitespace"_s,
    u"NSRegularExpressionIgnoreMetacharacters"_s,
    u"NSRegularExpressionDotMatchesLineSeparators"_s,
    u"NSRegularExpressionAnchorsMatchLines"_s,
    u"NSRegularExpressionUseUnixLineSeparators"_s,
    u"NSRegularExpressionUseUnicodeWordBoundaries"_s,
};

// The platform's "not found" position.
constexpr qint64 kNotFound = std::numeric_limits<qint64>::max();

}  // namespace

ValueForm string() { return plain(u"NSString"_s); }
ValueForm number() { return plain(u"NSNumber"_s); }
ValueForm anyValue() { return plain(u"NSObject"_s); }
ValueForm jsonObject() { return plain(u"NSDictionary"_s); }
ValueForm object(const QString& className) { return plain(className); }
ValueForm color() { return plain(u"UIColor"_s); }
ValueForm predicate() { return plain(u"NSPredicate"_s); }
ValueForm permissionType() { return plain(u"ORKPermissionType"_s); }

ValueForm arrayOf(ValueForm element) {
    element.containerClassName = u"NSArray"_s;
    return element;
}

ValueForm dictionaryOf(ValueForm element) {
    element.containerClassName = u"NSDictionary"_s;
    return element;
}

ValueForm url() {
    return converted(
        u"NSURL"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            std::optional<QUrl> url = json.isString() ? parseUrl(json.toString()) : std::nullopt;
            return url ? Value(*url) : Value();
        },
        writer<QUrl>([](const QUrl& url) { return url.toString(QUrl::FullyEncoded); }));
}

ValueForm imageReference() {
    return converted(
        u"UIImage"_s,
        [](const QJsonValue& json, const ORKESerializationContext& context) -> Value {
            if (!context.imageProvider || !json.isObject()) {
                return {};
            }
            std::optional<QImage> image = context.imageProvider->imageForReference(json.toObject());
            return image ? Value(*image) : Value();
        },
        [](const Value& value, const ORKESerializationContext& context) -> QJsonValue {
            const QImage* image = value.as<QImage>();
            if (!image || !context.imageProvider) {
                return QJsonValue::Undefined;
            }
            return context.imageProvider->referenceBySavingImage(*image);
        });
}

ValueForm date() {
    return converted(
        u"NSDate"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            std::optional<QDateTime> date =
                json.isString() ? parseDate(json.toString()) : std::nullopt;
            return date ? Value(*date) : Value();
        },
        writer<QDateTime>(formatDate));
}

ValueForm calendar() {
    return converted(
        u"NSCalendar"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            if (!json.isString() || !kCalendars.contains(json.toString())) {
                return {};
            }
            return Calendar{json.toString()};
        },
        writer<Calendar>([](const Calendar& calendar) { return calendar.identifier; }));
}

ValueForm timeZone() {
    return converted(
        u"NSTimeZone"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            // Seconds east of UTC; a number out of the range of offsets names no time zone, and
            // must not be converted to an integer that it does not fit.
            const double seconds = json.toDouble();
            if (!json.isDouble() || !(std::fabs(seconds) <= kMaxTimeZoneOffsetSeconds)) {
                return {};
            }
            const QTimeZone zone(static_cast<int>(seconds));
            return zone.isValid() ? Value(zone) : Value();
        },
        writer<QTimeZone>([](const QTimeZone& zone) {
            return zone.offsetFromUtc(QDateTime::currentDateTimeUtc());
        }));
}

ValueForm timeOfDay() {
    return converted(
        u"NSDateComponents"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            return json.isString() ? Value(ORKTimeOfDayComponentsFromString(json.toString()))
                                   : Value();
        },
        writer<DateComponents>(ORKTimeOfDayStringFromComponents));
}

ValueForm insets() {
    return converted(
        u"NSValue"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            if (!json.isObject()) {
                return {};
            }
            const QJsonObject object = json.toObject();
            return EdgeInsets{json::readNumber(object, u"top").value_or(0),
                              json::readNumber(object, u"left").value_or(0),
                              json::readNumber(object, u"bottom").value_or(0),
                              json::readNumber(object, u"right").value_or(0)};
        },
        writer<EdgeInsets>([](const EdgeInsets& insets) {
            return QJsonObject{{u"top"_s, insets.top},
                               {u"left"_s, insets.left},
                               {u"bottom"_s, insets.bottom},
                               {u"right"_s, insets.right}};
        }));
}

ValueForm coordinate() {
    return converted(
        u"NSValue"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) {
            return coordinateFrom(json);
        },
        writer<Coordinate>(coordinateJson));
}

ValueForm region() {
    return converted(
        u"CLCircularRegion"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            const std::optional<QJsonObject> object = objectWithKeyCount(json, 3);
            if (!object) {
                return {};
            }
            const Value center = coordinateFrom(object->value(u"coordinate"));
            const std::optional<double> radius = json::readNumber(*object, u"radius");
            const std::optional<QString> identifier = json::readString(*object, u"identifier");
            if (center.isNone() || !radius || !identifier) {
                return {};
            }
            return CircularRegion{*center.as<Coordinate>(), *radius, *identifier};
        },
        writer<CircularRegion>([](const CircularRegion& region) {
            return QJsonObject{{u"coordinate"_s, coordinateJson(region.center)},
                               {u"radius"_s, region.radius},
                               {u"identifier"_s, region.identifier}};
        }));
}

ValueForm postalAddress() {
    return converted(
        u"CNPostalAddress"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            if (!json.isObject()) {
                return {};
            }
            const QJsonObject object = json.toObject();
            return PostalAddress{json::readString(object, u"street").value_or(QString()),
                                 json::readString(object, u"city").value_or(QString())};
        },
        writer<PostalAddress>([](const PostalAddress& address) {
            return QJsonObject{{u"street"_s, address.street}, {u"city"_s, address.city}};
        }));
}

ValueForm regularExpression() {
    return converted(
        u"NSRegularExpression"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            const std::optional<QJsonObject> object = objectWithKeyCount(json, 2);
            const std::optional<QString> pattern =
                object ? json::readString(*object, u"pattern") : std::nullopt;
            if (!pattern) {
                return {};
            }
            quint32 options = 0;
            for (const QJsonValue& name : object->value(u"options").toArray()) {
                const qsizetype bit = kRegularExpressionOptions.indexOf(name.toString());
                if (bit >= 0) {
                    options |= 1u << bit;
                }
            }
            return RegularExpression{*pattern, options};
        },
        writer<RegularExpression>([](const RegularExpression& expression) {
            QJsonArray names;
            for (qsizetype bit = 0; bit < kRegularExpressionOptions.size(); ++bit) {
                if (expression.options & (1u << bit)) {
                    names.append(kRegularExpressionOptions[bit]);
                }
            }
            return QJsonObject{{u"pattern"_s, expression.pattern}, {u"options"_s, names}};
        }));
}

ValueForm passwordRules() {
    return converted(
        u"UITextInputPasswordRules"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            const std::optional<QJsonObject> object = objectWithKeyCount(json, 1);
            const std::optional<QString> rules =
                object ? json::readString(*object, u"rules") : std::nullopt;
            return rules ? Value(PasswordRules{*rules}) : Value();
        },
        writer<PasswordRules>([](const PasswordRules& rules) {
            return QJsonObject{{u"rules"_s, rules.descriptor}};
        }));
}

ValueForm uuid() {
    return converted(
        u"NSUUID"_s,
        [](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            const QUuid uuid = QUuid::fromString(json.toString());
            return uuid.isNull() ? Value() : Value(uuid);
        },
        writer<QUuid>(
            [](const QUuid& uuid) { return uuid.toString(QUuid::WithoutBraces).toUpper(); }));
}

ValueForm styleName(const QStringList& names) {
    return converted(
        u"NSNumber"_s,
        [names](const QJsonValue& json, const ORKESerializationContext&) -> Value {
            if (!json.isString()) {
                return {};
            }
            const qsizetype index = names.indexOf(json.toString());
            return index < 0 ? kNotFound : qint64(index);
        },
        [names](const Value& value, const ORKESerializationContext&) -> QJsonValue {
            const std::optional<qint64> index = value.toInteger();
            if (!index || *index < 0 || *index >= names.size()) {
                return QJsonValue::Undefined;
            }
            return names[*index];
        });
}

}  // namespace pathloom::form
