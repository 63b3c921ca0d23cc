#!/usr/bin/env bash
# The program ends when its last window has gone: closing the main window
# while the about window is open leaves the program running until the about
# window is closed too. Usage: e2e_about_lifetime.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"

start_program
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
expect_program_end "the program kept running without windows"
echo "1 passed, 0 failed"
