# Shared by the end-to-end scripts (sourced, after "set -euo pipefail"):
# a temporary work folder, a program folder holding the program under test,
# and the ways to start it, wait for its windows and files, and fail.
#
# Uses $program (the executable) and $language_file (empty for none). With
# TRUMI_E2E_IN_PLACE=1 the program runs from its own folder (an unpacked
# archive) instead of a copy in a temporary program folder.

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Fails the test; where ImageMagick is there, the screen is kept as a
# picture to see what went wrong.
fail() {
    echo "FAIL: $*" >&2
    if command -v import >/dev/null; then
        local picture="${TMPDIR:-/tmp}/trumi-e2e-failure-$(basename "$0" .sh)-$$.png"
        import -window root "$picture" 2>/dev/null && echo "The screen at that moment: $picture" >&2
    fi
    exit 1
}

if [ "${TRUMI_E2E_IN_PLACE:-0}" = 1 ]; then
    executable=$program
else
    mkdir -p "$work/program"
    cp "$program" "$work/program/"
    # The windows' module, where the program has one beside it.
    for module in "$(dirname "$program")"/trumi-editor-window.*; do
        [ -e "$module" ] && cp "$module" "$work/program/"
    done
    [ -n "$language_file" ] && cp "$language_file" "$work/program/TE.ini"
    executable="$work/program/$(basename "$program")"
fi

# Starts the program with the environment given as arguments (NAME=value),
# and after "--" the program's own arguments.
start_program() {
    local settings=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do settings+=("$1"); shift; done
    [ "${1:-}" = -- ] && shift
    env "${settings[@]}" QT_QPA_PLATFORM=xcb "$executable" "$@" &
    pid=$!
}

# Waits up to ten seconds for a condition (a command) to hold.
wait_until() {
    for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
    return 1
}

# Prints the id of the window on the screen whose name matches the pattern
# (the newest, where several do), waiting up to ten seconds for it. A search
# can meet a window that is being destroyed (an X error), so it is repeated.
window_named() {
    local ids=
    found() { ids=$(xdotool search --onlyvisible --name "$1" 2>/dev/null) && [ -n "$ids" ]; }
    wait_until found "$1" || fail "no window named $1"
    echo "${ids##*$'\n'}"
}

# Gives the window the keyboard, once it is on the screen.
focus_window() {
    wait_until eval "timeout 10 xdotool windowfocus --sync $1 2>/dev/null" || fail "the window $1 did not take the focus"
}

# Fails unless the program ends by itself within ten seconds, cleanly.
expect_program_end() {
    wait_until eval '! kill -0 "$pid" 2>/dev/null' || fail "$1"
    wait "$pid" || fail "the program ended with an error"
    pid=
}
