#!/usr/bin/env bash
# The preview belongs to the main window's session: Escape in the preview
# closes it and gives the form the keyboard back, and with the preview open,
# Salir ends the program. Usage: e2e_preview.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"

preview_gone() { ! xdotool search --onlyvisible --name '^Vista previa' >/dev/null 2>&1; }

start_program
main=$(window_named '^Trumi Editor 1\.')
focus_window "$main"
xdotool key F5
preview=$(window_named '^Vista previa')
focus_window "$preview"
xdotool key Escape
wait_until preview_gone || fail "Escape left the preview open"
form_has_keys() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ]; }
wait_until form_has_keys || fail "the form did not get the keyboard back"
xdotool type --delay 30 "demo"
focus_window "$main"
xdotool key F5
window_named '^Vista previa' >/dev/null
xdotool key alt+s
expect_program_end "the program kept running with the preview open"
echo "1 passed, 0 failed"
