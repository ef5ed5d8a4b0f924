#include "PrivateKeyring.h"

#include <QStandardPaths>

namespace pathloom::test {

bool privateKeyringInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon")).isEmpty();
}

std::optional<QString> privateKeyringUnavailable() {
    if (!privateKeyringInstalled()) {
        return QStringLiteral("dbus-run-session or gnome-keyring-daemon is not installed");
    }
    if (qgetenv("PATHLOOM_PRIVATE_KEYRING") != "1") {
        return QStringLiteral("not started by tests/support/with-keyring.sh");
    }
    return std::nullopt;
}

}  // namespace pathloom::test
