#!/usr/bin/env bash
# The Debian package as an administrator and a user meet it (CI runs this as
# root, under an X server without access control): lintian, the AppStream
# and desktop-entry validators find nothing; apt-get installs the package; an
# unprivileged user saves licence defaults in the window and writes a
# document from the command line with them; remove keeps the
# administrators' configuration file, purge takes it, and nothing of the
# package is left outside the user's home. Usage: install_remove_purge.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
program=/usr/bin/trumi-editor
language_file=
TRUMI_E2E_IN_PLACE=1
source "$source_dir/testing/e2e_common.sh"
chmod 755 "$work"
deb=$(ls "$build"/trumi-editor_*.deb)

lintian --fail-on error,warning,info "$deb" || fail "lintian"
dpkg-deb -x "$deb" "$work/unpacked"
appstreamcli validate --no-net "$work/unpacked/usr/share/metainfo/org.example.trumi_editor.metainfo.xml" ||
    fail "appstreamcli validate"
hints=$(desktop-file-validate "$work/unpacked/usr/share/applications/trumi-editor.desktop" 2>&1) || fail "$hints"
[ -z "$hints" ] || fail "desktop-file-validate: $hints"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > "$work/apt.log" || { cat "$work/apt.log"; fail "install"; }
mapfile -t owned < <(dpkg -L trumi-editor)
grep -q '^"",""' /etc/trumi-editor/Config.lic || fail "no administrators' defaults in /etc"

home="$work/home"
mkdir -p "$home" && chown 65534:65534 "$home"
as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$home" LC_ALL=C.UTF-8 "$@"; }
as_user QT_QPA_PLATFORM=xcb DISPLAY="$DISPLAY" "$program" &
pid=$!
focus_window "$(window_named '^Trumi Editor 1\.')"
xdotool key alt+o
focus_window "$(window_named '^Opciones$')"
xdotool key Tab ctrl+a && xdotool type --delay 20 'user use'
xdotool key alt+g
wait_until test -f "$home/.config/trumi-editor/Config.lic" || fail "Save did not write the user's defaults"
focus_window "$(window_named '^Trumi Editor 1\.')"
xdotool key alt+s
expect_program_end "the program did not end after Close"
as_user "$program" --output "$home/LEAME.txt" --product demo --product-version 1 || fail "the command line wrote nothing"
grep -qa '^user use' "$home/LEAME.txt" || fail "the document lacks the user's defaults"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq trumi-editor > "$work/apt.log"
[ ! -e /usr/lib/trumi-editor ] || fail "remove left the program folder"
[ -f /etc/trumi-editor/Config.lic ] || fail "remove took the administrators' configuration file"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq trumi-editor > "$work/apt.log"
for path in "${owned[@]}" /etc/trumi-editor; do
    # Folders other packages share (/usr/share/doc, /etc) stay; the package's own go.
    if [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == *trumi-editor* ]]; }; then
        fail "purge left $path"
    fi
done
[ -f "$home/.config/trumi-editor/Config.lic" ] || fail "purge touched the user's home"
echo "1 passed, 0 failed"
