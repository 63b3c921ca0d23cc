#!/usr/bin/env bash
# The program ends when its last window has gone: closing the main window
# while the about window is open leaves the program running until the about
# window is closed too. Usage: e2e_about_lifetime.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/program"
cp "$program" "$work/program/"
[ -n "$language_file" ] && cp "$language_file" "$work/program/TE.ini"
QT_QPA_PLATFORM=xcb "$work/program/$(basename "$program")" &
pid=$!

main=$(xdotool search --sync --name '^Trumi Editor 1\.')
xdotool windowfocus --sync "$main"
sleep 0.5
xdotool key alt+a
about=$(xdotool search --sync --name '^Acerca de')
sleep 0.5

xdotool windowfocus --sync "$main"
xdotool key alt+s
for _ in $(seq 30); do xdotool search --name '^Trumi Editor 1\.' >/dev/null || break; sleep 0.1; done
xdotool search --name '^Trumi Editor 1\.' >/dev/null && fail "Close left the main window open"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended while the about window was open"

xdotool windowfocus --sync "$about"
xdotool key space      # its only button has the focus
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program kept running without windows"
wait "$pid" || fail "the program ended with an error"
pid=
echo "1 passed, 0 failed"
