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

window=$(xdotool search --sync --name '^Trumi Editor 1\.')
xdotool windowfocus --sync "$window"
sleep 0.5

# Focus starts on the product name; the tab order leads through the form.
xdotool type --delay 20 'demo'
xdotool key Tab && xdotool type --delay 20 '1.0'
xdotool key Tab space          # tick the status box
sleep 0.4                      # the timer enables the options
xdotool key Tab Right          # to the "final" option, then choose "beta"
xdotool key Tab && xdotool type --delay 20 'author'
xdotool key Tab Tab Tab Tab    # e-mail, web page, date, licence of use
xdotool type --delay 20 'Free to use.'
xdotool key Tab && xdotool type --delay 20 'Copy unchanged.'
xdotool key Tab && xdotool type --delay 20 'First line'
xdotool key Return && xdotool type --delay 20 'Second line'
sleep 0.3
xdotool key alt+c              # Create, by its access key

dialog=$(xdotool search --sync --name '^Generar fichero$')
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool type --delay 10 "$target"
xdotool key Return

for _ in $(seq 50); do [ -s "$target" ] && break; sleep 0.1; done
[ -s "$target" ] || fail "no document was written"
sleep 0.3

date_line=$(LC_ALL=C grep -a '^Fecha: ' "$target" | tr -d '\r')
[[ "$date_line" =~ ^Fecha:\ [0-9]{2}/[0-9]{2}/[0-9]{2,4}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] ||
    fail "unexpected date line: $date_line"

long=$(printf '%.0s-' $(seq 65))
short=$(printf '%.0s-' $(seq 44))
printf '%s\r\n' "DEMO Ver. 1.0 BETA" "$long" "" "" "Autor: author" "E-Mail: " $'P\xe1gina Web: ' "$date_line" \
    "$long" "" "" $'DESCRIPCI\xd3N' "$short" "" "" "First line" "Second line" "$long" "" "" "LICENCIA DE USO" \
    "$short" "Free to use." "" "" $'LICENCIA DE DISTRIBUCI\xd3N' "$short" "Copy unchanged." "$long" > "$work/expected"
cmp "$work/expected" "$target" || fail "the document differs from the expected bytes"

# Close, by its access key.
xdotool windowfocus --sync "$window"
xdotool key alt+s
expect_program_end "the program did not end after Close"
echo "1 passed, 0 failed"
