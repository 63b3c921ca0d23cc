# Shared by the end-to-end scripts (sourced, after "set -euo pipefail"):
# a temporary work folder, a program folder holding the program under test,
# and the ways to start it, wait for it to end, and fail.
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

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "${TRUMI_E2E_IN_PLACE:-0}" = 1 ]; then
    executable=$program
else
    mkdir -p "$work/program"
    cp "$program" "$work/program/"
    [ -n "$language_file" ] && cp "$language_file" "$work/program/TE.ini"
    executable="$work/program/$(basename "$program")"
fi

# Starts the program with the environment given as arguments (NAME=value).
start_program() {
    env "$@" QT_QPA_PLATFORM=xcb "$executable" &
    pid=$!
}

# Fails unless the program ends by itself within five seconds, cleanly.
expect_program_end() {
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "$1"
    wait "$pid" || fail "the program ended with an error"
    pid=
}
