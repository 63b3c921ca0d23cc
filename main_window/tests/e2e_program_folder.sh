#!/usr/bin/env bash
# A program folder whose name is not valid UTF-8 (Latin-1 bytes) is found and
# used exactly: the language file in it gives the captions, and the options
# window's Save writes Config.lic into it; without its window module the
# program names the module with the byte escaped.
# Usage: e2e_program_folder.sh PROGRAM LANGUAGE_FILE
set -euo pipefail

program=$1
language_file=$2
source "$(dirname "$0")/../../testing/e2e_common.sh"

folder="$work/Programas-"$'\xe9'
mkdir "$folder"
cp "$executable" "$language_file" "$folder/"
cp "$(dirname "$executable")"/trumi-editor-window.* "$folder/" 2>/dev/null || true
mv "$folder/$(basename "$language_file")" "$folder/TE.ini" 2>/dev/null || true
executable="$folder/$(basename "$executable")"

start_program
main=$(window_named '^Trumi Editor 1\.')
focus_window "$main"
xdotool key alt+o
options=$(window_named '^Opciones$')     # its title comes from the language file
focus_window "$options"
xdotool key alt+g
wait_until test -f "$folder/Config.lic" || fail "Save did not write Config.lic in the program folder"
cmp <(printf '"",""\r\n') "$folder/Config.lic" || fail "unexpected Config.lic"

focus_window "$main"
xdotool key alt+s
expect_program_end "the program did not end after Close"

# Without its window module the program says so, naming the module as it
# names any file: the byte that is not UTF-8 escaped, never replaced.
rm "$folder"/trumi-editor-window.*
status=0
message=$("$executable" 2>&1 >/dev/null) || status=$?
[ "$status" = 1 ] || fail "a missing window module gave status $status"
[[ "$message" == *'/Programas-\xE9/trumi-editor-window.so: cannot open'* ]] ||
    fail "the missing module was named as: $message"
echo "2 passed, 0 failed"
