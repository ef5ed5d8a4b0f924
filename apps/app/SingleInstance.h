#pragma once

#include "foundation/DebugConsole.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <expected>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace pathloom {

// Keeps one pathloom-app per user and data folder: a later start hands its arguments to the
// running one over a local socket and ends, so that a link opened from the desktop shows in the
// window already open.
//
// The socket and a lock file live in the user's private runtime folder. The lock belongs to the
// instance that serves, for as long as it runs, so that only one start at a time can take a
// left-over socket for stale; a killed instance's lock is found stale by its process id.
//
// Main thread only. The receiver runs from the event loop, once per message.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // What a later start hands over: its arguments, without the program, and the folder it was
    // started in, against which relative paths among them are read.
    struct Message {
        QStringList arguments;
        QString cwd;
    };
    // Takes a message; false refuses it, and the start that sent it fails.
    using Receiver = std::function<bool(const Message&)>;

    enum class Role {
        // This start serves (or, when the socket could not be set up, runs alone).
        primary,
        // The running instance took the message: this start has nothing more to do.
        forwarded,
    };

    // A message line longer than this is dropped unread.
    static constexpr qsizetype kMaxMessageBytes = 64 * 1024;

    // "pathloom-app-" and the first 16 hexadecimal digits of the SHA-256 of `userName` followed
    // by `dataFolder`, so that runs with data folders of their own never meet.
    [[nodiscard]] static QString name(const QString& userName, const QString& dataFolder);
    // The name for this user and the absolute form of `dataFolder`.
    [[nodiscard]] static QString nameForCurrentUser(const QString& dataFolder);

    // `folder` must be private to the user (the runtime folder is).
    SingleInstance(QString folder, const QString& name, DebugConsole console,
                   QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `message` to the instance that runs, or becomes it. Blocks for at most a few
    // seconds. Fails with a sentence for the user when a running instance was found but did not
    // take the message.
    [[nodiscard]] std::expected<Role, QString> start(const Message& message);

    void setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }

    // Where the socket is, once this instance serves.
    [[nodiscard]] const QString& socketPath() const { return m_socketPath; }

private:
    // What is known of one connection while its line comes in.
    struct Connection {
        QByteArray buffer;
        bool handled = false;
    };
    enum class Forward { notRunning, taken, refused };

    [[nodiscard]] Forward forward(const QByteArray& line) const;
    void serve();
    void accept();
    void read(QLocalSocket& socket, Connection& connection);
    void drop(QLocalSocket& socket, Connection& connection, const QString& why) const;

    QString m_socketPath;
    QLockFile m_lock;
    DebugConsole m_console;
    QLocalServer* m_server = nullptr;
    Receiver m_receiver;
};

}  // namespace pathloom
