#!/usr/bin/env bash
# Makes the portable archive, unpacks it in a fresh folder, checks what its
# program folder holds and runs the Create end-to-end test on the unpacked
# program, in place. Usage: e2e_archive.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack"; }
archive=$(ls "$work"/out/trumi-editor-*.tar.gz)
mkdir "$work/unpacked"
tar -xzf "$archive" -C "$work/unpacked"
folder=$(ls -d "$work"/unpacked/*/)
[ "$(ls "$work/unpacked" | wc -l)" -eq 1 ] || fail "the archive has more than one top folder"
for file in trumi-editor trumi-editor-1.0 trumi-editor-window.so TE.ini english/TE.ini README.md docs/manual.md LICENSE; do
    [ -e "$folder/$file" ] || fail "the program folder lacks $file"
done
cmp "$folder/TE.ini" "$source/settings/languages/es/TE.ini" || fail "TE.ini is not the Spanish language file"

TRUMI_E2E_IN_PLACE=1 bash "$source/main_window/tests/e2e_create.sh" "$folder/trumi-editor"
