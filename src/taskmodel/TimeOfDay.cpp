#include "taskmodel/TimeOfDay.h"

#include <QRegularExpression>

namespace pathloom {

QString ORKTimeOfDayStringFromComponents(const DateComponents& components) {
    return QStringLiteral("%1:%2")
        .arg(components.hour.value_or(0), 2, 10, QLatin1Char('0'))
        .arg(components.minute.value_or(0), 2, 10, QLatin1Char('0'));
}

DateComponents ORKTimeOfDayComponentsFromString(const QString& string) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(string);
    if (!match.hasMatch()) {
        return {};
    }
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (hour > 23 || minute > 59) {
        return {};
    }
    return {hour, minute};
}

}  // namespace pathloom
