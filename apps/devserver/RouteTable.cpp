#include "RouteTable.h"

#include "foundation/Json.h"

#include <QFile>

namespace pathloom::devserver {

using namespace Qt::StringLiterals;

namespace {

std::expected<Route, QString> readRoute(const QJsonObject& object, const ServedRoot& root) {
    const std::optional<QString> method = json::readString(object, u"method");
    const std::optional<QString> path = json::readString(object, u"path");
    if (!method || !path) {
        return std::unexpected(u"a route needs a \"method\" and a \"path\""_s);
    }
    Route route{method->toUpper(), *path, 200, std::nullopt, std::nullopt};
    if (object.contains(u"status"_s)) {
        const std::optional<qint64> status = json::readInteger(object, u"status");
        if (!status || *status < 100 || *status > 599) {
            return std::unexpected(u"route "_s + *path + u": \"status\" is not an HTTP status"_s);
        }
        route.status = static_cast<int>(*status);
    }
    if (object.contains(u"body"_s) && object.contains(u"file"_s)) {
        return std::unexpected(u"route "_s + *path + u": both \"body\" and \"file\""_s);
    }
    if (object.contains(u"body"_s)) {
        route.body = json::writeFragment(object.value(u"body"_s));
    }
    if (object.contains(u"file"_s)) {
        const std::optional<QString> file = json::readString(object, u"file");
        route.file = file ? root.resolve(*file) : std::nullopt;
        if (!route.file) {
            return std::unexpected(u"route "_s + *path +
                                   u": \"file\" names no file inside the root"_s);
        }
    }
    return route;
}

}  // namespace

std::expected<RouteTable, QString> RouteTable::load(const ServedRoot& root) {
    QFile file(root.filePath(u"routes.json"_s));
    if (!file.exists()) {
        return RouteTable({});
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(u"routes.json: "_s + file.errorString());
    }
    const auto parsed = json::parse(file.readAll());
    if (!parsed) {
        return std::unexpected(u"routes.json: "_s + parsed.error().description());
    }
    const std::optional<QList<QJsonObject>> objects = json::asObjectList(*parsed);
    if (!objects) {
        return std::unexpected(u"routes.json: not an array of route objects"_s);
    }
    QList<Route> routes;
    for (const QJsonObject& object : *objects) {
        auto route = readRoute(object, root);
        if (!route) {
            return std::unexpected(u"routes.json: "_s + route.error());
        }
        routes.append(std::move(*route));
    }
    return RouteTable(std::move(routes));
}

RouteTable::RouteTable(QList<Route> routes) : m_routes(std::move(routes)) {}

const Route* RouteTable::find(const QString& method, const QString& path) const {
    for (const Route& route : m_routes) {
        if (route.method == method && route.path == path) {
            return &route;
        }
    }
    return nullptr;
}

}  // namespace pathloom::devserver
