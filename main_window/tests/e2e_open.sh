#!/usr/bin/env bash
# Opening documents in the real program. Release 1.1: a document it wrote,
# opened from the command line in a fresh start and created again under a
# new name, is the same byte for byte; a random binary file gives a message
# and leaves the form empty and working. Release 1.0: a file with notes and
# two appended documents, opened with ctrl+O, opens as the second.
# Usage: e2e_open.sh PROGRAM [LANGUAGE_FILE]   (1.1 with its language file)
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"
cd "$work"

# Create (clicked: an access key sent right after a dialog closes can lose
# its Alt), answering the Save dialog with the path.
create_into() {
    focus_window "$main"
    dialog_open() {
        xdotool mousemove --window "$main" 124 620 click 1
        xdotool search --onlyvisible --name '^Generar fichero$' >/dev/null 2>&1
    }
    wait_until dialog_open || fail "Create did not open the Save dialog"
    dialog=$(window_named '^Generar fichero$')
    focus_window "$dialog"
    xdotool type --delay 10 "$1"
    xdotool key Return
    wait_until test -s "$1" || fail "Create wrote nothing to $1"
}

close_program() {
    focus_window "$main"
    xdotool key alt+s
    expect_program_end "the program did not end after Close"
}

start_with() {
    start_program LC_ALL=C.UTF-8 HOME="$work" "$@"
    main=$(window_named '^Trumi Editor 1\.')
    focus_window "$main"
}

if [ -n "$language_file" ]; then
    # A document written by 1.1 ...
    start_with
    # Product, version, then past the status box and the disabled options to
    # the author, and on past e-mail, web page, date and licences to the
    # description.
    xdotool type --delay 20 'demo' && xdotool key Tab && xdotool type --delay 20 '1.0'
    xdotool key Tab Tab && xdotool type --delay 20 'author'
    xdotool key Tab Tab Tab Tab Tab Tab && xdotool type --delay 20 'First line'
    xdotool key Return && xdotool type --delay 20 'DESCRIPCION'
    create_into "$work/first.txt"
    close_program
    # ... opened from the command line in a fresh start, by a relative name
    # that starts with '-' (after "--"), created again.
    cp "$work/first.txt" "$work/-first.txt"
    start_with -- -- -first.txt
    create_into "$work/second.txt"
    close_program
    cmp "$work/first.txt" "$work/second.txt" || fail "the document created again differs"

    # A random binary file: a message, then the form is empty and works.
    head -c 20000 /dev/urandom > "$work/binary.txt"
    start_with -- "$work/binary.txt"
    box=$(window_named '^Trumi Editor$')
    focus_window "$box"
    xdotool key Return
    focus_window "$main"
    xdotool type --delay 20 'p' && xdotool key Tab && xdotool type --delay 20 'v'
    create_into "$work/after-binary.txt"
    head -n 1 "$work/after-binary.txt" | cmp - <(printf 'P Ver. v \r\n') || fail "the form was not empty and working"
    grep -qa 'LICENCIA DE USO' "$work/after-binary.txt" || fail "the document after the binary file is incomplete"
    close_program
else
    long=$(printf '%.0s-' $(seq 65))
    short=$(printf '%.0s-' $(seq 44))
    document() {
        printf '%s\r\n' "$1 Ver. 1.0 " "$long" "" "" "Autor: $2" "E-Mail: " $'P\xe1gina Web: ' "Fecha: 05/06/04" \
            "$long" "" "" $'DESCRIPCI\xd3N' "$short" "" "" "$3" "$long" "" "" "LICENCIA DE USO" "$short" "" "" "" \
            $'LICENCIA DE DISTRIBUCI\xd3N' "$short" "" "$long"
    }
    { printf 'My notes on these releases.\r\n\r\n'; document FIRST one 'The first.'; document SECOND two 'The second.'; } \
        > "$work/appended.txt"
    document SECOND two 'The second.' > "$work/expected.txt"
    start_with
    xdotool key ctrl+o
    dialog=$(window_named '^Abrir fichero$')
    focus_window "$dialog"
    xdotool type --delay 10 "$work/appended.txt"
    xdotool key Return
    create_into "$work/created.txt"
    close_program
    cmp "$work/expected.txt" "$work/created.txt" || fail "the file did not open as its second document"
fi
echo "1 passed, 0 failed"
