#include "JsonPath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace pathloom {

using namespace Qt::StringLiterals;

JsonPath JsonPath::key(const QString& name) const {
    JsonPath path = *this;
    path.m_components.append(name);
    return path;
}

JsonPath JsonPath::index(qsizetype position) const {
    JsonPath path = *this;
    path.m_components.append(position);
    return path;
}

QString JsonPath::text() const {
    static const QRegularExpression word(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    QString text;
    for (const Component& component : m_components) {
        if (const qsizetype* position = std::get_if<qsizetype>(&component)) {
            text += u'[' + QString::number(*position) + u']';
            continue;
        }
        const QString& name = std::get<QString>(component);
        if (word.match(name).hasMatch()) {
            text += (text.isEmpty() ? QString() : u"."_s) + name;
        } else {
            // A JSON string literal, so that any key reads back unambiguously.
            const QByteArray quoted =
                QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact);
            text += u'[' + QString::fromUtf8(quoted.mid(1, quoted.size() - 2)) + u']';
        }
    }
    return text;
}

}  // namespace pathloom
