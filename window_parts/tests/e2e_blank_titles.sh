#!/usr/bin/env bash
# Without a language file, the options and about windows have no title: the
# title bar shows nothing (not the program's name, Qt's choice for an
# untitled window). The windows have no captions then, so the buttons are
# clicked by their place.
# Usage: e2e_blank_titles.sh PROGRAM
set -euo pipefail

program=$1
language_file=
source "$(dirname "$0")/../../testing/e2e_common.sh"

start_program
main=$(window_named '^Trumi Editor 1\.')
focus_window "$main"

# The title of the one visible window that is not the main window, with the
# invisible zero-width space taken out.
other_title() {
    local id
    for id in $(xdotool search --onlyvisible --class '^trumi-editor$' 2>/dev/null); do
        [ "$id" = "$main" ] && continue
        xdotool getwindowname "$id" | sed 's/\xe2\x80\x8b//g'
        return 0
    done
    return 1
}
other_open() { other_title >/dev/null; }

xdotool mousemove --window "$main" 44 40 click 1          # Options
wait_until other_open || fail "the options window did not open"
title=$(other_title)
[ -z "$title" ] || fail "the options window's title is '$title'"
options=$(xdotool search --onlyvisible --class '^trumi-editor$' | grep -vx "$main" | tail -n 1)
xdotool mousemove --window "$options" 592 408 click 1      # Accept
wait_until eval '! other_open' || fail "the options window did not close"

focus_window "$main"
xdotool mousemove --window "$main" 44 80 click 1           # About
wait_until other_open || fail "the about window did not open"
title=$(other_title)
[ -z "$title" ] || fail "the about window's title is '$title'"
about=$(xdotool search --onlyvisible --class '^trumi-editor$' | grep -vx "$main" | tail -n 1)
xdotool mousemove --window "$about" 260 232 click 1        # its button
wait_until eval '! other_open' || fail "the about window did not close"

xdotool mousemove --window "$main" 44 120 click 1          # Close
expect_program_end "the program did not end after Close"
echo "1 passed, 0 failed"
