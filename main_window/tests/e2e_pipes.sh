#!/usr/bin/env bash
# Pipes never stop the program: settings files that are pipes are reported
# at start-up instead of waited on, Create to a pipe nobody reads is refused
# at once, and Create to a pipe whose reader goes away early is reported
# instead of ending the program.
# Usage: e2e_pipes.sh PROGRAM [LANGUAGE_FILE]
set -euo pipefail

program=$1
language_file=${2:-}
source "$(dirname "$0")/../../testing/e2e_common.sh"

folder=$(dirname "$executable")
rm -f "$folder/TE.ini"
mkfifo "$folder/TE.ini" "$folder/Config.lic" "$work/unread.txt" "$work/early.txt"

# Answers the message box, and fails without one.
answer_message() {
    local box
    box=$(window_named '^Trumi Editor$')
    focus_window "$box"
    xdotool key Return
    gone() { ! xdotool search --onlyvisible --name '^Trumi Editor$' 2>/dev/null | grep -qx "$box"; }
    wait_until gone || fail "the message stayed"
}

# Clicks a button of the main window (by its place: with the language file
# a pipe, its captions and their access keys are blank).
click_main() { xdotool mousemove --window "$main" "$1" "$2" click 1; }

# Create, answering the Save dialog with the path; Create is clicked until
# the polling timer has enabled it and the dialog is there.
create_into() {
    dialog_open() { click_main 124 620; xdotool search --onlyvisible --name '^Generar fichero$' >/dev/null 2>&1; }
    wait_until dialog_open || fail "Create did not open the Save dialog"
    dialog=$(window_named '^Generar fichero$')
    focus_window "$dialog"
    xdotool type --delay 10 "$1"
    xdotool key Return
    [ -n "$language_file" ] && confirm_replace
    return 0
}

# Release 1.1 asks before it replaces a file (the pipe): Yes, whatever the
# language of the question, is the button before the chosen No.
confirm_replace() {
    two_dialogs() { [ "$(xdotool search --onlyvisible --name '^Generar fichero$' 2>/dev/null | wc -l)" -ge 2 ]; }
    wait_until two_dialogs || fail "no question before replacing"
    focus_window "$(window_named '^Generar fichero$')"
    xdotool key shift+Tab space
}

cd "$work"
start_program HOME="$work"
if [ -n "$language_file" ]; then answer_message; fi   # TE.ini, release 1.1 only
answer_message                                       # Config.lic
main=$(window_named '^Trumi Editor 1\.')
focus_window "$main"
xdotool type --delay 20 'demo' && xdotool key Tab && xdotool type --delay 20 '1.0'

create_into "$work/unread.txt"
answer_message
kill -0 "$pid" || fail "Create to a pipe nobody reads ended the program"

# A licence far larger than a pipe holds, taken from the options window,
# and a reader that takes only the start of the document.
rm "$folder/Config.lic" "$folder/TE.ini"
[ -n "$language_file" ] && cp "$language_file" "$folder/TE.ini"
printf '"%s","x"\r\n' "$(head -c 300000 /dev/zero | tr '\0' 'x')" > "$folder/Config.lic"
click_main 44 40
options=$(window_named '^Opciones$')
focus_window "$options"
xdotool key alt+a
focus_window "$main"
head -c 100 < "$work/early.txt" > /dev/null &
reader=$!
create_into "$work/early.txt"
answer_message
wait "$reader" || true
kill -0 "$pid" || fail "Create to a pipe whose reader went away ended the program"

click_main 44 120      # Close
expect_program_end "the program did not end after Close"
echo "1 passed, 0 failed"
