#include "documents/TintColor.h"

#include "foundation/SystemColor.h"

#include <QHash>

namespace pathloom {

namespace {

std::optional<SystemColor> systemColorNamed(const QString& name) {
    static const QHash<QString, SystemColor> colors{
        {QStringLiteral("blue"), SystemColor::blue},
        {QStringLiteral("green"), SystemColor::green},
        {QStringLiteral("indigo"), SystemColor::indigo},
        {QStringLiteral("orange"), SystemColor::orange},
        {QStringLiteral("pink"), SystemColor::pink},
        {QStringLiteral("purple"), SystemColor::purple},
        {QStringLiteral("red"), SystemColor::red},
        {QStringLiteral("teal"), SystemColor::teal},
        {QStringLiteral("yellow"), SystemColor::yellow},
    };
    const auto found = colors.constFind(name);
    return found == colors.constEnd() ? std::nullopt : std::optional(*found);
}

int hexDigitValue(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    return -1;
}

}  // namespace

QColor tintColor(const std::optional<QString>& systemName, const std::optional<QString>& hex) {
    const QColor fallback = systemColor(SystemColor::blue);
    if (!systemName) {
        return fallback;
    }
    const QString name = systemName->toLower();
    if (name == u"other") {
        const std::optional<QColor> color = hex ? parseHexColor(*hex) : std::nullopt;
        return color.value_or(fallback);
    }
    const std::optional<SystemColor> color = systemColorNamed(name);
    return color ? systemColor(*color) : fallback;
}

std::optional<QColor> parseHexColor(QStringView text) {
    if (!text.startsWith(u'#')) {
        return std::nullopt;
    }
    QString digits = text.mid(1).toString();
    if (digits.size() == 6) {
        digits += u"ff";
    }
    if (digits.size() != 8 || hexDigitValue(digits.front()) < 0) {
        return std::nullopt;
    }
    quint32 value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<quint32>(digit);
    }
    return QColor(int((value >> 24) & 0xff), int((value >> 16) & 0xff), int((value >> 8) & 0xff),
                  int(value & 0xff));
}

}  // namespace pathloom
