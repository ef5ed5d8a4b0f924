#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
}

namespace pathloom::test {

// An HTTP server on 127.0.0.1 with an ephemeral port, started and stopped with the object. It
// answers each method and path as scripted (404 otherwise) and records every request. A reply
// can be held until the test releases it, to test requests that are still running.
class TestHttpServer {
public:
    struct Request {
        QString method;
        QString path;
        QMap<QString, QString> headers;  // header names in lower case
        QByteArray body;
    };
    struct Reply {
        int status = 200;
        QByteArray body;
        QString contentType = QStringLiteral("application/json");
        bool held = false;
    };

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    void reply(const QString& method, const QString& path, Reply reply);
    [[nodiscard]] QUrl url(const QString& path = {}) const;
    [[nodiscard]] QList<Request> requests() const;
    // Lets every held reply go.
    void release();
    // Waits until `count` requests have arrived (a few seconds at most); whether they did.
    bool waitForRequests(qsizetype count);

private:
    Reply answer(const Request& request);

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    // Guards the replies, the recorded requests and the release flag.
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    QMap<QString, Reply> m_replies;
    QList<Request> m_requests;
    bool m_released = false;
};

}  // namespace pathloom::test
