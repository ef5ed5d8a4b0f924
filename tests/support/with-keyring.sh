#!/bin/sh
# Runs a program on a private D-Bus session bus with an unlocked gnome-keyring of its own, kept in
# a temporary folder that is removed afterwards, so tests never reach the user's keyring:
#
#   with-keyring.sh PROGRAM [ARGUMENT...]
#
# The program sees PATHLOOM_PRIVATE_KEYRING=1 and ends with its own exit status. Without
# dbus-run-session or gnome-keyring-daemon the program runs as it is, without that variable, and
# the tests that need the keyring skip.
set -eu

if ! command -v dbus-run-session >/dev/null 2>&1 || ! command -v gnome-keyring-daemon >/dev/null 2>&1; then
  exec "$@"
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/data" "$home/runtime"
status=0
# The login keyring is created in the temporary folder, unlocked with a password nobody needs to
# know (with an empty one the daemon would ask whether to keep secrets unencrypted). The daemon
# runs in the foreground of this bus's session so it can be stopped with it; the program starts
# once the daemon owns the Secret Service's name, or the bus would start a second, locked one.
XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" dbus-run-session -- sh -c '
  printf pathloom-test | gnome-keyring-daemon --foreground --unlock --components=secrets \
    >/dev/null 2>&1 &
  keyring=$!
  tries=0
  until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null |
      grep -q "boolean true"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
      echo "with-keyring.sh: gnome-keyring-daemon did not start" >&2
      kill "$keyring" 2>/dev/null
      exit 1
    fi
    sleep 0.05
  done
  status=0
  PATHLOOM_PRIVATE_KEYRING=1 "$@" || status=$?
  kill "$keyring" 2>/dev/null
  wait "$keyring" 2>/dev/null
  exit "$status"' sh "$@" || status=$?
exit "$status"
