#pragma once

#include "ServedRoot.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom::devserver {

// A scripted reply: a status with either a JSON body or a file from the served root.
struct Route {
    QString method;  // upper case
    QString path;
    int status = 200;
    std::optional<QByteArray> body;  // JSON text, before the origin is put in
    std::optional<QString> file;     // canonical path inside the root
};

// The replies scripted in the root's routes.json; read once at start, then only read, so any
// thread may look routes up.
class RouteTable {
public:
    // No routes.json means no routes; one that cannot be used is an error, not an empty table.
    [[nodiscard]] static std::expected<RouteTable, QString> load(const ServedRoot& root);

    [[nodiscard]] const Route* find(const QString& method, const QString& path) const;

private:
    explicit RouteTable(QList<Route> routes);

    QList<Route> m_routes;
};

}  // namespace pathloom::devserver
