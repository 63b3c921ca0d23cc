#!/usr/bin/env bash
# Starts the real program from a temporary program folder under X, fills the
# main window with the keyboard, presses Create, answers the real Save dialog
# and checks the bytes of the written document.
# Usage: e2e_create.sh PROGRAM [LANGUAGE_FILE]
# With TRUMI_E2E_IN_PLACE=1 the program runs from its own folder (an
# unpacked archive) instead of a copy in a temporary one.
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

mkdir -p "$work/home"
if [ "${TRUMI_E2E_IN_PLACE:-0}" = 1 ]; then
    executable=$program
else
    mkdir -p "$work/program"
    cp "$program" "$work/program/"
    [ -n "$language_file" ] && cp "$language_file" "$work/program/TE.ini"
    executable="$work/program/$(basename "$program")"
fi
target="$work/home/demo.txt"

cd "$work"
HOME="$work/home" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$executable" &
pid=$!

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
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Close"
wait "$pid" || fail "the program ended with an error"
pid=
echo "1 passed, 0 failed"
