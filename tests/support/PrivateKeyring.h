#pragma once

#include <QString>
#include <optional>

namespace pathloom::test {

// Why the tests that need a desktop keyring cannot run here: the programs that give them a
// private one (dbus-run-session, gnome-keyring-daemon) are missing, or this process was not
// started by tests/support/with-keyring.sh, whose keyring is the only one tests may touch.
// Nothing when the process runs on the private keyring.
[[nodiscard]] std::optional<QString> privateKeyringUnavailable();

// Whether the programs for a private keyring are installed; when they are, the keyring tests
// must not skip.
[[nodiscard]] bool privateKeyringInstalled();

}  // namespace pathloom::test
