#!/usr/bin/env bash
# Makes the Debian package, checks where it puts its files and what it
# depends on, unpacks it (dpkg-deb -x) and runs the unpacked program as an
# unprivileged user: the program folder belongs to root, so the user's
# licence defaults are saved in the user's configuration folder and read
# there at the next start, in preference to the administrators' Config.lic
# in etc/trumi-editor. Usage: e2e_deb.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source_dir=$2
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: running the package as another user needs root"
    exit 77
fi
program=
language_file=
TRUMI_E2E_IN_PLACE=1
source "$source_dir/testing/e2e_common.sh"
chmod 755 "$work"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/trumi-editor_*.deb)
contents=$(dpkg-deb -c "$deb")
for file in ./usr/lib/trumi-editor/trumi-editor ./usr/lib/trumi-editor/trumi-editor-1.0 ./usr/lib/trumi-editor/trumi-editor-window.so ./usr/lib/trumi-editor/TE.ini \
    ./usr/bin/trumi-editor ./usr/share/applications/trumi-editor.desktop ./usr/share/icons/hicolor/48x48/apps/trumi-editor.png \
    ./usr/share/doc/trumi-editor/README.md ./usr/share/doc/trumi-editor/manual.md ./usr/share/doc/trumi-editor/copyright \
    ./usr/share/doc/trumi-editor/changelog.gz ./etc/trumi-editor/Config.lic \
    ./usr/share/icons/hicolor/scalable/apps/trumi-editor.svg ./usr/share/metainfo/org.example.trumi_editor.metainfo.xml; do
    grep -q " $file\( ->\|$\)" <<< "$contents" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n fonts-liberation; do
    grep -q "$package" <<< "$depends" || fail "the package does not depend on $package"
done

dpkg-deb -x "$deb" "$work/root"
admin="$work/root/etc/trumi-editor/Config.lic"
printf '"admin use","admin distribution"\r\n' > "$admin"
mkdir -p "$work/home"
chown 65534:65534 "$work/home"
executable="$work/root/usr/bin/trumi-editor"
as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }

# Starts the unpacked program as the user and writes a document with it.
run_and_create() {
    as_user env HOME="$work/home" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$executable" &
    pid=$!
    main=$(window_named '^Trumi Editor 1\.')
    focus_window "$main"
    xdotool type --delay 20 'p' && xdotool key Tab && xdotool type --delay 20 'v'
    dialog_open() {
        xdotool mousemove --window "$main" 124 620 click 1
        xdotool search --onlyvisible --name '^Generar fichero$' >/dev/null 2>&1
    }
    wait_until dialog_open || fail "Create did not open the Save dialog"
    focus_window "$(window_named '^Generar fichero$')"
    xdotool type --delay 10 "$work/home/$1"
    xdotool key Return
    wait_until grep -qa 'LICENCIA DE DISTRIBUCI' "$work/home/$1" || fail "Create wrote no document"
}

run_and_create first.txt
grep -qa '^admin use' "$work/home/first.txt" || fail "the administrator's default was not read"
focus_window "$main"
xdotool key alt+o
focus_window "$(window_named '^Opciones$')"
xdotool key Tab ctrl+a && xdotool type --delay 20 'my use'
xdotool key alt+g
own="$work/home/.config/trumi-editor/Config.lic"
wait_until test -f "$own" || fail "Save did not write the user's defaults"
cmp <(printf '"my use","admin distribution"\r\n') "$own" || fail "unexpected user's defaults"
cmp <(printf '"admin use","admin distribution"\r\n') "$admin" || fail "the administrators' file changed"
focus_window "$main"
xdotool key alt+s
expect_program_end "the program did not end after Close"

run_and_create second.txt
grep -qa '^my use' "$work/home/second.txt" || fail "the user's defaults were not read at the next start"
focus_window "$main"
xdotool key alt+s
expect_program_end "the program did not end after Close"
echo "1 passed, 0 failed"
