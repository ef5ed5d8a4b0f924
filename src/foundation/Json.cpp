#include "foundation/Json.h"

#include <QJsonDocument>
#include <QVariant>
#include <cmath>

namespace pathloom::json {

namespace {

// 2^63 as a double: the first value past the signed 64-bit range.
constexpr double kInt64Limit = 9223372036854775808.0;

std::expected<QJsonValue, JsonError> parseDocument(const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        return std::unexpected(JsonError{error.errorString(), error.offset});
    }
    if (document.isObject()) {
        return document.object();
    }
    return document.array();
}

// The document reader only takes objects and arrays at the top level, so a fragment is read as
// the one element of an array around it.
std::expected<QJsonValue, JsonError> parseFragment(const QByteArray& text) {
    QByteArray wrapped;
    wrapped.reserve(text.size() + 2);
    wrapped.append('[').append(text).append(']');
    auto value = parseDocument(wrapped);
    if (!value) {
        const qsizetype offset = std::clamp<qsizetype>(value.error().offset - 1, 0, text.size());
        return std::unexpected(JsonError{value.error().message, offset});
    }
    const QJsonArray array = value->toArray();
    if (array.size() != 1) {
        return std::unexpected(JsonError{QStringLiteral("expected exactly one value"), 0});
    }
    return array.first();
}

}  // namespace

std::expected<QJsonValue, JsonError> parse(const QByteArray& text, Fragments fragments) {
    return fragments == Fragments::allowed ? parseFragment(text) : parseDocument(text);
}

QByteArray write(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray write(const QJsonArray& array) {
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QByteArray writeFragment(const QJsonValue& value) {
    // The document writer only takes objects and arrays, so the value is written as the one
    // element of an array and taken out of it.
    const QByteArray array = write(QJsonArray{value});
    return array.mid(1, array.size() - 2);
}

void appendQuoted(QByteArray& out, QStringView text) {
    static constexpr char kHex[] = "0123456789abcdef";
    // Room for the longest form, six bytes for each unit and the quotes, written through a
    // pointer and cut back once: appending byte by byte costs more than the text itself.
    // Growing the array by resizing keeps its geometric growth over many calls.
    const qsizetype start = out.size();
    out.resize(start + 6 * text.size() + 2);
    char* p = out.data() + start;
    const auto escape = [&p](char16_t u) {
        *p++ = '\\';
        *p++ = 'u';
        *p++ = kHex[u >> 12];
        *p++ = kHex[(u >> 8) & 0xF];
        *p++ = kHex[(u >> 4) & 0xF];
        *p++ = kHex[u & 0xF];
    };
    *p++ = '"';
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            if (u >= 0x20 && u != u'"' && u != u'\\') {
                *p++ = char(u);
                continue;
            }
            char shortForm = 0;
            switch (u) {
                case u'"':
                    shortForm = '"';
                    break;
                case u'\\':
                    shortForm = '\\';
                    break;
                case u'\b':
                    shortForm = 'b';
                    break;
                case u'\f':
                    shortForm = 'f';
                    break;
                case u'\n':
                    shortForm = 'n';
                    break;
                case u'\r':
                    shortForm = 'r';
                    break;
                case u'\t':
                    shortForm = 't';
                    break;
                default:
                    break;
            }
            if (shortForm != 0) {
                *p++ = '\\';
                *p++ = shortForm;
            } else {
                escape(u);
            }
        } else if (u < 0x800) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && i + 1 < size &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            const char32_t c = QChar::surrogateToUcs4(u, text[++i].unicode());
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(u)) {
            escape(u);
        } else {
            *p++ = char(0xE0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        }
    }
    *p++ = '"';
    out.truncate(p - out.constData());
}

QString quoted(QStringView text) {
    QByteArray out;
    out.reserve(text.size() + 2);
    appendQuoted(out, text);
    return QString::fromUtf8(out);
}

std::optional<qint64> asInteger(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    // Integers that the reader kept exact come back as 64-bit integers; others are doubles.
    const QVariant number = value.toVariant();
    if (number.typeId() == QMetaType::LongLong) {
        return number.toLongLong();
    }
    const double d = number.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d || d < -kInt64Limit || d >= kInt64Limit) {
        return std::nullopt;
    }
    return static_cast<qint64>(d);
}

std::optional<double> asNumber(const QJsonValue& value) {
    return value.isDouble() ? std::optional(value.toDouble()) : std::nullopt;
}

std::optional<QString> asString(const QJsonValue& value) {
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

std::optional<bool> asBoolean(const QJsonValue& value) {
    return value.isBool() ? std::optional(value.toBool()) : std::nullopt;
}

std::optional<QJsonObject> asObject(const QJsonValue& value) {
    return value.isObject() ? std::optional(value.toObject()) : std::nullopt;
}

std::optional<QJsonArray> asArray(const QJsonValue& value) {
    return value.isArray() ? std::optional(value.toArray()) : std::nullopt;
}

std::optional<QList<QJsonObject>> asObjectList(const QJsonValue& value) {
    if (!value.isArray()) {
        return std::nullopt;
    }
    const QJsonArray array = value.toArray();
    QList<QJsonObject> objects;
    objects.reserve(array.size());
    for (const QJsonValue& element : array) {
        if (!element.isObject()) {
            return std::nullopt;
        }
        objects.append(element.toObject());
    }
    return objects;
}

std::optional<qint64> readInteger(const QJsonObject& object, QStringView key) {
    return asInteger(object.value(key));
}

std::optional<double> readNumber(const QJsonObject& object, QStringView key) {
    return asNumber(object.value(key));
}

std::optional<QString> readString(const QJsonObject& object, QStringView key) {
    return asString(object.value(key));
}

std::optional<bool> readBoolean(const QJsonObject& object, QStringView key) {
    return asBoolean(object.value(key));
}

std::optional<QJsonObject> readObject(const QJsonObject& object, QStringView key) {
    return asObject(object.value(key));
}

std::optional<QJsonArray> readArray(const QJsonObject& object, QStringView key) {
    return asArray(object.value(key));
}

std::optional<QList<QJsonObject>> readObjectList(const QJsonObject& object, QStringView key) {
    return asObjectList(object.value(key));
}

}  // namespace pathloom::json
