#include "SingleInstance.h"

#include "foundation/Sha256.h"

#include <pwd.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <optional>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// A running instance accepts at once, even while it is busy; only its answer can take time.
constexpr int kConnectMilliseconds = 1'000;
constexpr int kAnswerMilliseconds = 10'000;
// How long a start waits for another one that holds the lock but does not listen yet.
constexpr int kStartMilliseconds = 10'000;
constexpr int kLockPollMilliseconds = 100;
// A sender that never finishes its line does not keep its connection.
constexpr int kReadMilliseconds = 5'000;

QByteArray encode(const SingleInstance::Message& message) {
    const QJsonObject object{{u"arguments"_s, QJsonArray::fromStringList(message.arguments)},
                             {u"cwd"_s, message.cwd}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<SingleInstance::Message> decode(const QByteArray& line) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const QJsonValue arguments = object.value(u"arguments"_s);
    const QJsonValue cwd = object.value(u"cwd"_s);
    if (!arguments.isArray() || !cwd.isString()) {
        return std::nullopt;
    }
    SingleInstance::Message message{{}, cwd.toString()};
    for (const QJsonValue& argument : arguments.toArray()) {
        if (!argument.isString()) {
            return std::nullopt;
        }
        message.arguments.append(argument.toString());
    }
    return message;
}

QString userName() {
    if (const passwd* entry = getpwuid(geteuid())) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return QString::number(geteuid());
}

}  // namespace

QString SingleInstance::name(const QString& userName, const QString& dataFolder) {
    return u"pathloom-app-"_s + Sha256::hexDigest((userName + dataFolder).toUtf8()).left(16);
}

QString SingleInstance::nameForCurrentUser(const QString& dataFolder) {
    return name(userName(), QDir(dataFolder).absolutePath());
}

SingleInstance::SingleInstance(QString folder, const QString& name, DebugConsole console,
                               QObject* parent)
    : QObject(parent),
      m_socketPath(folder + u'/' + name),
      m_lock(folder + u'/' + name + u".lock"_s),
      m_console(std::move(console)) {
    // The lock is held for as long as the instance runs: only a dead holder makes it stale.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

std::expected<SingleInstance::Role, QString> SingleInstance::start(const Message& message) {
    const QByteArray line = encode(message);
    const QDeadlineTimer deadline(kStartMilliseconds);
    bool waiting = false;
    for (;;) {
        switch (forward(line)) {
            case Forward::taken:
                return Role::forwarded;
            case Forward::refused:
                return std::unexpected(
                    u"The pathloom-app running on this data folder did not take the arguments."_s);
            case Forward::notRunning:
                break;
        }
        // Whoever holds the lock serves, or is about to; a socket left without it is stale.
        if (m_lock.tryLock(kLockPollMilliseconds)) {
            serve();
            return Role::primary;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            m_console.print(u"Could not lock %1, so this pathloom-app runs on its own."_s.arg(
                m_socketPath + u".lock"_s));
            return Role::primary;
        }
        if (!waiting) {
            waiting = true;
            m_console.print(
                u"Waiting for the pathloom-app that is starting on this data folder."_s);
        }
        if (deadline.hasExpired()) {
            return std::unexpected(
                u"Another pathloom-app is starting on this data folder and does not answer."_s);
        }
    }
}

SingleInstance::Forward SingleInstance::forward(const QByteArray& line) const {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kConnectMilliseconds)) {
        return Forward::notRunning;
    }
    socket.write(line);
    socket.flush();
    QByteArray answer;
    const QDeadlineTimer deadline(kAnswerMilliseconds);
    while (!answer.contains('\n') && socket.waitForReadyRead(int(deadline.remainingTime()))) {
        answer += socket.readAll();
    }
    answer += socket.readAll();
    return answer.startsWith("ok\n") ? Forward::taken : Forward::refused;
}

void SingleInstance::serve() {
    // Holding the lock, this start is the only one that may take a socket found here for stale.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath)) {
        m_console.print(u"Could not listen on %1 (%2), so this pathloom-app runs on its own."_s.arg(
            m_socketPath, m_server->errorString()));
        delete std::exchange(m_server, nullptr);
        m_lock.unlock();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        const auto connection = std::make_shared<Connection>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, connection] { read(*socket, *connection); });
        QTimer::singleShot(kReadMilliseconds, socket, [this, socket, connection] {
            if (!connection->handled) {
                drop(*socket, *connection, u"no whole line in time"_s);
            }
        });
        if (socket->bytesAvailable() > 0) {
            read(*socket, *connection);
        }
    }
}

void SingleInstance::read(QLocalSocket& socket, Connection& connection) {
    if (connection.handled) {
        return;
    }
    // Never more than one byte past the limit is kept: enough to tell a line that is too long.
    connection.buffer += socket.read(kMaxMessageBytes + 1 - connection.buffer.size());
    const qsizetype end = connection.buffer.indexOf('\n');
    if (end < 0) {
        if (connection.buffer.size() > kMaxMessageBytes) {
            drop(socket, connection, u"longer than %1 bytes"_s.arg(kMaxMessageBytes));
        }
        return;
    }
    const std::optional<Message> message = decode(connection.buffer.first(end));
    if (!message) {
        drop(socket, connection, u"not a message"_s);
        return;
    }
    if (!m_receiver || !m_receiver(*message)) {
        drop(socket, connection, u"refused"_s);
        return;
    }
    connection.handled = true;
    socket.write("ok\n");
    socket.disconnectFromServer();
}

void SingleInstance::drop(QLocalSocket& socket, Connection& connection, const QString& why) const {
    connection.handled = true;
    // What was sent may hold a link's credentials: only the reason is told.
    m_console.print(u"A message from another start of pathloom-app was dropped: "_s + why + u'.');
    socket.abort();
}

}  // namespace pathloom
