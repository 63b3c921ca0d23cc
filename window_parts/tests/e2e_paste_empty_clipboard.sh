#!/usr/bin/env bash
# Pasting into a multi-line box when nothing is on the clipboard (nothing
# copied since the X server started) must not end the program: ctrl+v and a
# middle click into each of the five multi-line boxes of the two windows.
# Usage: e2e_paste_empty_clipboard.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"

alive() { kill -0 "$pid" 2>/dev/null || fail "the program ended after pasting into $1"; }

start_program
main=$(window_named '^Trumi Editor 1\.')
focus_window "$main"
# From the product name, past the disabled options and Create, to the
# licence of use, the licence of distribution and the description.
xdotool key Tab Tab Tab Tab Tab Tab Tab ctrl+v && sleep 0.3 && alive TxtUso
xdotool key Tab ctrl+v && sleep 0.3 && alive TxtDistribucion
xdotool key Tab ctrl+v && sleep 0.3 && alive TxtDesc
for point in "600 200 TxtUso" "600 350 TxtDistribucion" "400 550 TxtDesc"; do
    set -- $point
    xdotool mousemove --window "$main" "$1" "$2" click 2 && sleep 0.3 && alive "$3 (middle click)"
done

xdotool key alt+o
options=$(window_named '^Opciones$')
focus_window "$options"
xdotool key Tab ctrl+v && sleep 0.3 && alive TxtLicUso
xdotool key Tab ctrl+v && sleep 0.3 && alive TxtLicDist
for point in "300 150 TxtLicUso" "300 300 TxtLicDist"; do
    set -- $point
    xdotool mousemove --window "$options" "$1" "$2" click 2 && sleep 0.3 && alive "$3 (middle click)"
done

# Both windows still work: back to the main window, then Close.
xdotool key alt+a
focus_window "$main"
xdotool key alt+s
expect_program_end "the program did not end after Close"
echo "1 passed, 0 failed"
