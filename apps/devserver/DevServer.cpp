#include "DevServer.h"

#include "foundation/Json.h"

#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonObject>
#include <QStringDecoder>

namespace pathloom::devserver {

using namespace Qt::StringLiterals;

namespace {

const std::string jsonType = "application/json";

QString contentTypeOf(const QString& filePath) {
    static const QHash<QString, QString> types{
        {u"json"_s, u"application/json"_s},
        {u"html"_s, u"text/html; charset=utf-8"_s},
        {u"htm"_s, u"text/html; charset=utf-8"_s},
        {u"png"_s, u"image/png"_s},
        {u"jpg"_s, u"image/jpeg"_s},
        {u"jpeg"_s, u"image/jpeg"_s},
        {u"pdf"_s, u"application/pdf"_s},
        {u"mp4"_s, u"video/mp4"_s},
        {u"txt"_s, u"text/plain; charset=utf-8"_s},
    };
    return types.value(QFileInfo(filePath).suffix().toLower(), u"application/octet-stream"_s);
}

void sendJson(httplib::Response& response, int status, const QByteArray& json) {
    response.status = status;
    response.set_content(json.toStdString(), jsonType);
}

void sendNotFound(httplib::Response& response) {
    sendJson(response, 404, R"({"error":"not found"})");
}

QJsonValue headerValue(const httplib::Request& request, const char* name) {
    if (!request.has_header(name)) {
        return QJsonValue::Null;
    }
    return QString::fromStdString(request.get_header_value(name));
}

QJsonValue bodyValue(const std::string& body) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(QByteArrayView(body.data(), qsizetype(body.size())));
    if (decoder.hasError()) {
        return QJsonObject{{u"bytes"_s, qint64(body.size())}};
    }
    return text;
}

// The last path component with every character that could mean something to a file system
// replaced, and without leading dots, so that the name neither hides the file nor leaves the
// upload directory.
QString safeFileName(const QString& requestPath) {
    QString name = requestPath.section(u'/', -1, -1, QString::SectionSkipEmpty);
    for (QChar& character : name) {
        const bool plain = (character.isLetterOrNumber() && character.unicode() < 128) ||
                           character == u'.' || character == u'-' || character == u'_';
        if (!plain) {
            character = u'_';
        }
    }
    while (name.startsWith(u'.')) {
        name.remove(0, 1);
    }
    return name.isEmpty() ? u"upload"_s : name;
}

bool isAhoyPost(const QString& method, const QString& path) {
    return method == u"POST" && (path.endsWith(u"/visits") || path.endsWith(u"/events"));
}

}  // namespace

DevServer::DevServer(ServedRoot root, RouteTable routes, RequestLog& log)
    : m_root(std::move(root)),
      m_routes(std::move(routes)),
      m_log(log),
      m_server(std::make_unique<httplib::Server>()) {
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        answer(request, response);
    };
    const std::string any = ".*";
    m_server->Get(any, handler);
    m_server->Post(any, handler);
    m_server->Put(any, handler);
    m_server->Delete(any, handler);
    m_server->Patch(any, handler);
    m_server->Options(any, handler);
    // Logged before the reply is written, not after as a logger would: a client that sends its
    // next request as soon as a reply arrives must find the two in the order it sent them.
    m_server->set_post_routing_handler(
        [this](const httplib::Request& request, const httplib::Response& response) {
            logRequest(request, response);
        });
    // An idle client connection would otherwise hold up stopping for the default five seconds.
    m_server->set_keep_alive_timeout(1);
    // A reply goes out as two writes, head then body; with Nagle's algorithm the body waits for
    // the client's delayed acknowledgement of the head, some 40 ms on every kept-alive request.
    m_server->set_tcp_nodelay(true);
}

DevServer::~DevServer() { stop(); }

std::expected<int, QString> DevServer::start(int port, std::function<void()> ended) {
    const std::string host = "127.0.0.1";
    if (port == 0) {
        port = m_server->bind_to_any_port(host);
    } else if (!m_server->bind_to_port(host, port)) {
        port = -1;
    }
    if (port < 0) {
        return std::unexpected(u"cannot listen on 127.0.0.1"_s);
    }
    m_origin = u"http://127.0.0.1:%1"_s.arg(port);
    m_listener = std::thread([this, ended = std::move(ended)] {
        m_server->listen_after_bind();
        m_failed = !m_stopping;
        m_ended = true;
        if (m_failed) {
            ended();
        }
    });
    // stop() does nothing until the server runs, so this waits for that before anyone may stop it.
    while (!m_server->is_running() && !m_ended) {
        std::this_thread::yield();
    }
    if (m_failed) {
        return std::unexpected(u"listening on 127.0.0.1 failed"_s);
    }
    return port;
}

void DevServer::stop() {
    m_stopping = true;
    m_server->stop();
    if (m_listener.joinable()) {
        m_listener.join();
    }
}

void DevServer::answer(const httplib::Request& request, httplib::Response& response) const {
    const QString method = QString::fromStdString(request.method);
    const QString path = QString::fromStdString(request.path);
    if (const Route* route = m_routes.find(method == u"HEAD" ? u"GET"_s : method, path)) {
        answerRoute(*route, response);
    } else if (method == u"GET" || method == u"HEAD") {
        answerFile(path, response);
    } else if (isAhoyPost(method, path)) {
        sendJson(response, 200, "{}");
    } else if (method == u"PUT" || method == u"POST") {
        storeUpload(request, response);
    } else {
        sendNotFound(response);
    }
}

void DevServer::answerRoute(const Route& route, httplib::Response& response) const {
    if (route.file) {
        sendFile(*route.file, route.status, response);
        return;
    }
    response.status = route.status;
    if (route.body) {
        const QString text = QString::fromUtf8(*route.body).replace(u"${origin}"_s, m_origin);
        response.set_content(text.toStdString(), jsonType);
    }
}

void DevServer::answerFile(const QString& requestPath, httplib::Response& response) const {
    const std::optional<QString> file = m_root.resolve(requestPath);
    if (!file) {
        sendNotFound(response);
        return;
    }
    sendFile(*file, 200, response);
}

void DevServer::sendFile(const QString& canonicalPath, int status,
                         httplib::Response& response) const {
    QFile file(canonicalPath);
    if (!file.open(QIODevice::ReadOnly)) {
        sendNotFound(response);
        return;
    }
    QByteArray content = file.readAll();
    const QString type = contentTypeOf(canonicalPath);
    if (type == u"application/json") {
        // Documents name the server by this placeholder so that they work on whatever port it got.
        content = QString::fromUtf8(content).replace(u"${origin}"_s, m_origin).toUtf8();
    }
    response.status = status;
    response.set_content(content.toStdString(), type.toStdString());
}

void DevServer::storeUpload(const httplib::Request& request, httplib::Response& response) const {
    const QString directory = m_root.filePath(u"uploads"_s);
    if (!QDir().mkpath(directory)) {
        sendJson(response, 500, R"({"error":"cannot create the uploads directory"})");
        return;
    }
    const QFileInfo name(safeFileName(QString::fromStdString(request.path)));
    const QString suffix = name.suffix().isEmpty() ? QString() : u'.' + name.suffix();
    // An upload never replaces an earlier one; creating the file exclusively keeps two requests
    // for the same name from taking the same file.
    QFile file;
    for (int attempt = 0; !file.isOpen(); ++attempt) {
        const QString fileName =
            attempt == 0 ? name.fileName()
                         : u"%1-%2%3"_s.arg(name.completeBaseName()).arg(attempt).arg(suffix);
        file.setFileName(QDir(directory).filePath(fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists()) {
            sendJson(response, 500, R"({"error":"cannot store the upload"})");
            return;
        }
    }
    const auto written = file.write(request.body.data(), qint64(request.body.size()));
    if (written != qint64(request.body.size()) || !file.flush()) {
        file.remove();
        sendJson(response, 500, R"({"error":"cannot store the upload"})");
        return;
    }
    const QJsonObject stored{{u"stored"_s, u"uploads/"_s + QFileInfo(file.fileName()).fileName()}};
    sendJson(response, 201, json::write(stored));
}

void DevServer::logRequest(const httplib::Request& request,
                           const httplib::Response& response) const {
    m_log.write(QJsonObject{
        {u"method"_s, QString::fromStdString(request.method)},
        {u"path"_s, QString::fromStdString(request.path)},
        {u"status"_s, response.status},
        {u"authorization"_s, headerValue(request, "Authorization")},
        {u"ahoyVisit"_s, headerValue(request, "Ahoy-Visit")},
        {u"ahoyVisitor"_s, headerValue(request, "Ahoy-Visitor")},
        {u"contentType"_s, headerValue(request, "Content-Type")},
        {u"body"_s, bodyValue(request.body)},
    });
}

}  // namespace pathloom::devserver
