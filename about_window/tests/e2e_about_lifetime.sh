#!/usr/bin/env bash
# The program ends when its last window has gone: closing the main window
# while the about window is open leaves the program running until the about
# window is closed too. Usage: e2e_about_lifetime.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"

start_program
main=$(window_named '^Trumi Editor 1\.')
focus_window "$main"
xdotool key alt+a
about=$(window_named '^Acerca de')

focus_window "$main"
xdotool key alt+s
main_gone() { ! xdotool search --name '^Trumi Editor 1\.' >/dev/null; }
wait_until main_gone || fail "Close left the main window open"
for _ in 1 2 3 4 5; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended while the about window was open"
    sleep 0.1
done

focus_window "$about"
xdotool key space      # its only button has the focus
expect_program_end "the program kept running without windows"
echo "1 passed, 0 failed"
