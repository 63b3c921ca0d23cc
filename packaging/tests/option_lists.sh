#!/usr/bin/env bash
# Every long option that a program's --help lists is offered by the bash
# completion and documented in its manual page.
# Usage: option_lists.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=/dev/null
source "$source_dir/packaging/bash-completion/trumi-editor"

checked=0
for program in trumi-editor trumi-editor-1.0; do
    path=$build_dir/program/$program
    page=$build_dir/man/$program.1
    mapfile -t options < <(env -u DISPLAY "$path" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
    [ ${#options[@]} -ge 12 ] || fail "$program --help lists only ${#options[@]} options"
    COMP_WORDS=("$path" --)
    COMP_CWORD=1
    _trumi_editor
    # A here-string, not a pipe: grep -q may leave before printf has written
    # all, and pipefail would count printf's broken pipe as a failure.
    offered=$(printf '%s\n' "${COMPREPLY[@]}")
    for option in "${options[@]}"; do
        grep -qx -- "$option" <<<"$offered" || fail "the completion does not offer $option"
        grep -q -- "${option//-/\\\\-}" "$page" || fail "$page does not document $option"
        checked=$((checked + 1))
    done
done
echo "1 passed, 0 failed ($checked options)"
