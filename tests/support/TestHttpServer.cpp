#include "TestHttpServer.h"

#include <httplib.h>

#include <algorithm>

namespace pathloom::test {

namespace {

QString keyOf(const QString& method, const QString& path) { return method + u' ' + path; }

}  // namespace

TestHttpServer::TestHttpServer() : m_server(std::make_unique<httplib::Server>()) {
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Request recorded{QString::fromStdString(request.method),
                         QString::fromStdString(request.path),
                         {},
                         QByteArray::fromStdString(request.body)};
        for (const auto& [name, value] : request.headers) {
            recorded.headers.insert(QString::fromStdString(name).toLower(),
                                    QString::fromStdString(value));
        }
        const Reply reply = answer(recorded);
        response.status = reply.status;
        for (auto header = reply.headers.begin(); header != reply.headers.end(); ++header) {
            response.set_header(header.key().toStdString(), header.value().toStdString());
        }
        if (reply.ending == Ending::whole) {
            response.set_content(reply.body.toStdString(), reply.contentType.toStdString());
            return;
        }
        breakOff(reply, response);
    };
    const std::string any = ".*";
    m_server->Get(any, handler);
    m_server->Post(any, handler);
    m_server->Put(any, handler);
    m_server->Delete(any, handler);
    m_server->Patch(any, handler);
    m_server->Options(any, handler);
    // Binding also starts listening, so requests queue up until the thread accepts them.
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() does nothing until the server runs, so a server stopped earlier would never end.
    while (!m_server->is_running()) {
        std::this_thread::yield();
    }
}

TestHttpServer::~TestHttpServer() {
    release();
    m_server->stop();
    m_thread.join();
}

void TestHttpServer::reply(const QString& method, const QString& path, Reply reply) {
    const std::lock_guard lock(m_mutex);
    m_replies.insert(keyOf(method, path), std::move(reply));
}

QUrl TestHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

QList<TestHttpServer::Request> TestHttpServer::requests() const {
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

void TestHttpServer::release() {
    {
        const std::lock_guard lock(m_mutex);
        m_released = true;
    }
    m_changed.notify_all();
}

bool TestHttpServer::waitForRequests(qsizetype count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10),
                              [&] { return m_requests.size() >= count; });
}

void TestHttpServer::breakOff(const Reply& reply, httplib::Response& response) {
    const auto body = std::make_shared<const QByteArray>(reply.body);
    const auto sent = static_cast<std::size_t>(std::clamp<qsizetype>(reply.cutAt, 0, body->size()));
    const bool stall = reply.ending == Ending::stalled;
    // The provider is called again for the rest until it fails; failing makes the server drop
    // the connection with the body short of its announced length.
    response.set_content_provider(
        static_cast<std::size_t>(body->size()), reply.contentType.toStdString(),
        [this, body, sent, stall](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset < sent) {
                return sink.write(body->constData() + offset, sent - offset);
            }
            if (stall) {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return m_released; });
            }
            return false;
        });
}

TestHttpServer::Reply TestHttpServer::answer(const Request& request) {
    std::unique_lock lock(m_mutex);
    m_requests.append(request);
    m_changed.notify_all();
    const Reply reply = m_replies.value(
        keyOf(request.method, request.path),
        Reply{404, QByteArrayLiteral("{}"), QStringLiteral("application/json"), false});
    if (reply.held) {
        m_changed.wait(lock, [this] { return m_released; });
    }
    return reply;
}

}  // namespace pathloom::test
