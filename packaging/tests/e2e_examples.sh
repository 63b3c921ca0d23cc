#!/usr/bin/env bash
# The release scripts in the manual pages and in the user's manual run as
# printed: each is taken out of its page and run in a scratch folder, after
# the first document that the manual says to write.
# Usage: e2e_examples.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir "$work/bin"
cp "$build_dir/program/trumi-editor" "$build_dir/program/trumi-editor-1.0" "$work/bin/"
export PATH=$work/bin:$PATH
unset DISPLAY WAYLAND_DISPLAY

# The example of a manual page: the lines between .nf and .fi, unescaped.
from_man_page() {
    sed -n '/^\.SH EXAMPLES/,/^\.SH/p' "$1" | sed -n '/^\.nf/,/^\.fi/p' | grep -v '^\.' |
        sed -e 's/\\-/-/g' -e 's/\\e/\\/g'
}
# The sh block after "A release script" in the user's manual.
from_manual() {
    sed -n '/^A release script/,$p' "$source_dir/docs/manual.md" | sed -n '/^```sh$/,/^```$/{p;/^```$/q}' | sed '1d;$d'
}

run_example() {
    local name=$1 script=$2 folder=$work/$1
    mkdir "$folder" && cd "$folder"
    printf '%s\n' "$script" > release.sh
    [ -s release.sh ] || fail "$name: no example found"
    trumi-editor --output LEAME.txt --product demo --product-version 1.0 --status final
    sh release.sh 1.1 || fail "$name: the example failed"
    [ -n "$(ls ./*.tar.gz)" ] || fail "$name: no archive was made"
    grep -qa 'DEMO Ver. 1.1 FINAL' <<<"$(tar -xOzf ./*.tar.gz LEAME.txt)" || fail "$name: the archive's document is not 1.1's"
}

run_example trumi-editor "$(from_man_page "$build_dir/man/trumi-editor.1")"
run_example trumi-editor-1.0 "$(from_man_page "$build_dir/man/trumi-editor-1.0.1")"
run_example manual "$(from_manual)"
echo "1 passed, 0 failed (3 examples)"
