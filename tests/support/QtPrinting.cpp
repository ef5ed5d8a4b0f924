#include "QtPrinting.h"

#include "foundation/Json.h"

#include <QJsonArray>

void PrintTo(const QJsonValue& value, std::ostream* os) {
    *os << pathloom::json::write(QJsonArray{value}).toStdString();
}

void PrintTo(const QJsonObject& object, std::ostream* os) {
    *os << pathloom::json::write(object).toStdString();
}
