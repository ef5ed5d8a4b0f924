#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <ostream>

// Lets GoogleTest print Qt values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
void PrintTo(const QJsonValue& value, std::ostream* os);
void PrintTo(const QJsonObject& object, std::ostream* os);
