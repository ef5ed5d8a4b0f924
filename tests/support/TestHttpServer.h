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
struct Response;
}  // namespace httplib

namespace pathloom::test {

// An HTTP server on 127.0.0.1 with an ephemeral port, started and stopped with the object. It
// answers each method and path as scripted (404 otherwise) and records every request. A reply
// can be held until the test releases it, to test requests that are still running, and a body
// can break off part way, to test clients against servers that fail mid-transfer.
class TestHttpServer {
public:
    // How a reply's body ends. Past `whole`, the headers announce the whole body but only its
    // first `cutAt` bytes are sent; then the server closes the connection (`closed`) or keeps it
    // open without sending anything more until the test releases the server or it stops
    // (`stalled`).
    enum class Ending { whole, closed, stalled };
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
        // Sent besides the content type, such as the Location of a redirect.
        QMap<QString, QString> headers = {};
        Ending ending = Ending::whole;
        // Bytes of the body sent before a `closed` or `stalled` ending; less than its size.
        qsizetype cutAt = 0;
    };

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    void reply(const QString& method, const QString& path, Reply reply);
    [[nodiscard]] QUrl url(const QString& path = {}) const;
    [[nodiscard]] QList<Request> requests() const;
    // Lets every held reply and stalled body go, for the rest of the server's life.
    void release();
    // Waits until `count` requests have arrived (a few seconds at most); whether they did.
    bool waitForRequests(qsizetype count);

private:
    Reply answer(const Request& request);
    // Sends a reply whose body ends early, as its `ending` says.
    void breakOff(const Reply& reply, httplib::Response& response);

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
