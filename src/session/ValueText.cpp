#include "session/ValueText.h"

#include "taskmodel/ORKLocation.h"

#include <QLocale>
#include <cmath>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

std::optional<Coordinate> coordinateOf(const Value& value) {
    if (const Coordinate* coordinate = value.as<Coordinate>()) {
        return *coordinate;
    }
    if (const auto location = value.object<ORKLocation>()) {
        return location->coordinate;
    }
    return std::nullopt;
}

}  // namespace

QString numberText(double number) {
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

QString doubleDescription(double number) {
    if (std::isnan(number)) {
        return u"nan"_s;
    }
    if (std::isinf(number)) {
        return number < 0 ? u"-inf"_s : u"inf"_s;
    }
    const double magnitude = std::fabs(number);
    // Plain notation between 1e-4 and 2^53-ish magnitudes, exponent notation beyond.
    if (number == 0 || (magnitude >= 1e-4 && magnitude < 1e16)) {
        QString text = QString::number(number, 'f', QLocale::FloatingPointShortest);
        if (!text.contains(u'.')) {
            text += u".0"_s;
        }
        return text;
    }
    QString text = QString::number(number, 'e', QLocale::FloatingPointShortest);
    // Qt writes "1e-05"; a mantissa without fraction stays as it is, like the platform does.
    return text;
}

QString iso8601Text(const QDateTime& date) { return date.toUTC().toString(Qt::ISODate); }

std::optional<QString> stringValue(const Value& value) {
    if (const QString* text = value.as<QString>()) {
        return *text;
    }
    if (const bool* boolean = value.as<bool>()) {
        return *boolean ? u"true"_s : u"false"_s;
    }
    if (const qint64* integer = value.as<qint64>()) {
        return QString::number(*integer);
    }
    if (const double* number = value.as<double>()) {
        return numberText(*number);
    }
    if (const QDateTime* date = value.as<QDateTime>()) {
        return iso8601Text(*date);
    }
    if (const std::optional<Coordinate> coordinate = coordinateOf(value)) {
        return doubleDescription(coordinate->latitude) + u',' +
               doubleDescription(coordinate->longitude);
    }
    return std::nullopt;
}

bool appendValueJson(QByteArray& json, const Value& value) {
    if (const QDateTime* date = value.as<QDateTime>()) {
        json += '"' + iso8601Text(*date).toLatin1() + '"';
        return true;
    }
    if (const std::optional<Coordinate> coordinate = coordinateOf(value)) {
        json += "{\"latitude\": " + doubleDescription(coordinate->latitude).toLatin1() +
                ", \"longitude\": " + doubleDescription(coordinate->longitude).toLatin1() + '}';
        return true;
    }
    return false;
}

}  // namespace pathloom
