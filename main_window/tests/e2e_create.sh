#!/usr/bin/env bash
# Starts the real program from a temporary program folder under X, fills the
# main window with the keyboard, presses Create, answers the real Save dialog
# and checks the bytes of the written document.
# Usage: e2e_create.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"

mkdir -p "$work/home"
target="$work/home/demo.txt"

cd "$work"
start_program HOME="$work/home" LC_ALL=C.UTF-8

window=$(window_named '^Trumi Editor 1\.')
focus_window "$window"

# Focus starts on the product name; the tab order leads through the form.
# The status box is ticked first, so that the timer has enabled the options
# long before the product and the version are typed and Tab reaches them.
xdotool key Tab Tab space shift+Tab shift+Tab
xdotool type --delay 20 'demo'
xdotool key Tab && xdotool type --delay 20 '1.0'
xdotool key Tab Tab Right      # past the status box to "final", then choose "beta"
xdotool key Tab && xdotool type --delay 20 'author'
xdotool key Tab Tab Tab Tab    # e-mail, web page, date, licence of use
xdotool type --delay 20 'Free to use.'
xdotool key Tab && xdotool type --delay 20 'Copy unchanged.'
xdotool key Tab && xdotool type --delay 20 'First line'
xdotool key Return && xdotool type --delay 20 'Second line'
xdotool key alt+c              # Create, by its access key

dialog=$(window_named '^Generar fichero$')
focus_window "$dialog"
xdotool type --delay 10 "$target"
xdotool key Return

date_line() { LC_ALL=C grep -a '^Fecha: ' "$target" 2>/dev/null | tr -d '\r'; }
wait_until date_line >/dev/null || fail "no document was written"
date=$(date_line)
[[ "$date" =~ ^Fecha:\ [0-9]{2}/[0-9]{2}/[0-9]{2,4}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] ||
    fail "unexpected date line: $date"

long=$(printf '%.0s-' $(seq 65))
short=$(printf '%.0s-' $(seq 44))
printf '%s\r\n' "DEMO Ver. 1.0 BETA" "$long" "" "" "Autor: author" "E-Mail: " $'P\xe1gina Web: ' "$date" \
    "$long" "" "" $'DESCRIPCI\xd3N' "$short" "" "" "First line" "Second line" "$long" "" "" "LICENCIA DE USO" \
    "$short" "Free to use." "" "" $'LICENCIA DE DISTRIBUCI\xd3N' "$short" "Copy unchanged." "$long" > "$work/expected"
wait_until cmp -s "$work/expected" "$target" || { cmp "$work/expected" "$target"; fail "the document differs"; }

# Close, by its access key.
focus_window "$window"
xdotool key alt+s
expect_program_end "the program did not end after Close"
echo "1 passed, 0 failed"
