#!/bin/sh
# Runs a test program on a session bus of its own (dbus-run-session) where a real Secret Service
# answers: gnome-keyring-daemon, its login keyring created and unlocked in a temporary home that
# is removed afterwards.
#
# Usage: with_keyring.sh PROGRAM [ARGUMENTS...]
set -eu
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
status=0
dbus-run-session -- sh -c '
  printf "%s" "mot de passe du trousseau" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  exec "$@"' sh "$@" || status=$?
exit $status
