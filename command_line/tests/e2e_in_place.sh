#!/usr/bin/env bash
# A file written in place (it has a second name, so a rename would part the
# two) is written whole or not at all: by two programs at once, one after
# the other, never interleaved; and with SIGTERM arriving in the middle of
# the write, only once the write is done. Each case is tried many times: the
# faults these guard against showed in a few tries in twenty.
# Usage: e2e_in_place.sh PROGRAM [TRIES]
set -euo pipefail
program=$1
tries=${2:-25}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir program && cp "$program" program/
# The program itself, so that $! is its own process id.
run=(env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C.UTF-8 program/trumi-editor)
fail() { echo "FAIL: $*" >&2; exit 1; }

# Two descriptions of 20 MB, and the documents they make.
for letter in a b; do
    head -c 20000000 < <(yes "$letter$letter$letter$letter$letter$letter$letter") > "$letter.txt"
    "${run[@]}" --output "$letter.doc" --product "$letter" --product-version 1 --date 2026-12-09 --description "@$letter.txt"
done

for try in $(seq "$tries"); do
    cp a.doc doc.txt && ln -f doc.txt second-name
    "${run[@]}" --output doc.txt --product a --product-version 1 --date 2026-12-09 --description @a.txt & first=$!
    "${run[@]}" --output doc.txt --product b --product-version 1 --date 2026-12-09 --description @b.txt & second=$!
    wait "$first" || true
    wait "$second" || true
    cmp -s doc.txt a.doc || cmp -s doc.txt b.doc || fail "two writers, try $try: the file is neither document"
    [ doc.txt -ef second-name ] || fail "two writers, try $try: the second name was parted from the file"
done

for try in $(seq "$tries"); do
    cp a.doc doc.txt && ln -f doc.txt second-name
    head -c 4096 doc.txt > old-start
    "${run[@]}" --output doc.txt --product b --product-version 1 --date 2026-12-09 --description @b.txt & writer=$!
    # The moment the first new bytes are there, the write is under way.
    while cmp -s <(head -c 4096 doc.txt) old-start && kill -0 "$writer" 2>/dev/null; do :; done
    kill -TERM "$writer" 2>/dev/null || true
    status=0
    wait "$writer" || status=$?
    cmp -s doc.txt b.doc || cmp -s doc.txt a.doc || fail "SIGTERM, try $try: a torn file (exit $status)"
done
echo "2 passed, 0 failed ($tries tries each)"
