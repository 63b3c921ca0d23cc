#!/usr/bin/env bash
# The real programs on the command line, with no display at all: a document
# written from options; the same file taken --from with nothing changed gives
# the same bytes; a new version and date change those two lines only; release
# 1.0 appends; --output - gives the file's bytes.
# Usage: e2e_command_line.sh PROGRAM PROGRAM_1_0
set -euo pipefail
program=$1
program10=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir program && cp "$program" "$program10" program/
run() { env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C.UTF-8 "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'Free to use.\nAt your own risk.\n' > use.txt
run program/trumi-editor --output first.txt --product demo --product-version 1.0 --status final \
    --author 'An Author' --email a@b.c --web http://x --date 2026-12-09T10:30:00 \
    --description 'What it does.' --use-licence @use.txt --distribution-licence 'Copy unchanged.'
head -n 1 first.txt | cmp - <(printf 'DEMO Ver. 1.0 FINAL\r\n') || fail "the first line is not the product's"
grep -qa $'^At your own risk.\r$' first.txt || fail "the licence from the file is missing"

run program/trumi-editor --from first.txt --output again.txt
cmp first.txt again.txt || fail "--from with nothing changed gave other bytes"

cp first.txt next.txt
run program/trumi-editor --from next.txt --output next.txt --product-version 1.2 --date now
changed=$(diff <(tr -d '\r' < first.txt) <(tr -d '\r' < next.txt) | grep -c '^[<>]' || true)
[ "$changed" = 4 ] || fail "a new version and date changed $changed lines, not two"
head -n 1 next.txt | cmp - <(printf 'DEMO Ver. 1.2 FINAL\r\n') || fail "the version did not change"

cp first.txt appended.txt
run program/trumi-editor-1.0 --from first.txt --output appended.txt
cmp appended.txt <(cat first.txt first.txt) || fail "release 1.0 did not append"

run program/trumi-editor --from first.txt --output - > standard.txt
cmp first.txt standard.txt || fail "--output - differs from the file"

if run program/trumi-editor --output bad.txt --status maybe 2> message.txt; then fail "a bad status was taken"; fi
[ ! -e bad.txt ] || fail "a refused run wrote its file"
grep -q '^trumi-editor: ' message.txt || fail "the message does not name the program"
# Names are the bytes given, not text: a name that is not UTF-8 writes that
# very file, and the one with U+FFFD in its name is left alone.
printf 'kept' > $'\xef\xbf\xbd.txt'
run program/trumi-editor --output $'\xff.txt' --product new --product-version 1
[ -f $'\xff.txt' ] || fail "the name that is not UTF-8 was not written"
cmp -s $'\xef\xbf\xbd.txt' <(printf 'kept') || fail "another file was written in its place"

# A pipe is read where a file is asked for: a shell's <(...) and --from -.
run program/trumi-editor --output piped.txt --from - --description @<(printf 'From a pipe.\n') < first.txt
grep -qa $'^From a pipe.\r$' piped.txt || fail "the description from the pipe is missing"
grep -qa $'^Autor: An Author\r$' piped.txt || fail "--from - did not read standard input"

# A closed standard output is said so, and nothing else is written to.
status=0
run program/trumi-editor --output - --product x >&- 2> closed.txt || status=$?
[ "$status" = 1 ] || fail "a closed standard output gave exit $status"
grep -q 'La salida estándar está cerrada' closed.txt || fail "a closed standard output was not named: $(cat closed.txt)"

# A one-dash word is no document to open, and needs no display to say so.
status=0
run program/trumi-editor -output typo.txt 2> typo.txt || status=$?
[ "$status" = 2 ] || fail "a one-dash word gave exit $status"
grep -q "^trumi-editor: opción no reconocida «-output»$" typo.txt || fail "a one-dash word: $(cat typo.txt)"
grep -q "^Pruebe «trumi-editor --help» para más información.$" typo.txt || fail "no pointer to --help"

echo "1 passed, 0 failed"
