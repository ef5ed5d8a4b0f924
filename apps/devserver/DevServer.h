#pragma once

#include "RequestLog.h"
#include "RouteTable.h"
#include "ServedRoot.h"

#include <QString>
#include <atomic>
#include <expected>
#include <functional>
#include <memory>
#include <thread>

namespace httplib {
class Request;
class Response;
class Server;
}  // namespace httplib

namespace pathloom::devserver {

// An HTTP server on 127.0.0.1 for developing against: serves the files of a root, answers the
// scripted routes, accepts uploads and Ahoy analytics posts, and logs every request. Requests are
// answered on the server's own threads; the root, the routes and the origin are only read there.
class DevServer {
public:
    DevServer(ServedRoot root, RouteTable routes, RequestLog& log);
    // Stops listening and waits for the requests being answered.
    ~DevServer();
    DevServer(const DevServer&) = delete;
    DevServer& operator=(const DevServer&) = delete;

    // Listens on `port` (0 picks a free one) and returns the port once requests are accepted.
    // `ended` runs on the listening thread if listening ends without stop().
    [[nodiscard]] std::expected<int, QString> start(int port, std::function<void()> ended);
    void stop();
    // Whether listening ended on its own, through a failure.
    [[nodiscard]] bool failed() const { return m_failed; }

private:
    void answer(const httplib::Request& request, httplib::Response& response) const;
    void answerRoute(const Route& route, httplib::Response& response) const;
    void answerFile(const QString& requestPath, httplib::Response& response) const;
    void storeUpload(const httplib::Request& request, httplib::Response& response) const;
    void sendFile(const QString& canonicalPath, int status, httplib::Response& response) const;
    void logRequest(const httplib::Request& request, const httplib::Response& response) const;

    ServedRoot m_root;
    RouteTable m_routes;
    RequestLog& m_log;
    QString m_origin;  // set before listening starts, then only read
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_listener;
    std::atomic<bool> m_stopping = false;
    std::atomic<bool> m_ended = false;
    std::atomic<bool> m_failed = false;
};

}  // namespace pathloom::devserver
