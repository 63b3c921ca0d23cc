#!/usr/bin/env bash
# The Windows release under Wine and X, end to end: installs it silently
# with its installer, starts the installed program, fills the main window
# with the keyboard, presses Create and answers Windows' own Save dialog, and
# compares the document with the one the Linux program writes from the same
# fields (the date line aside: each system writes its own date). Then a
# Create over a read-only document must show the program's error message and
# leave the document alone; a Linux document opened on Windows must come back
# the same; an upgrade must wait for the running program; the
# single-language release must start from its installed folder; the console
# companions must serve cmd and batch files; the uninstaller must remove what
# was installed.
# Uses $WINEPREFIX when set, else a Wine prefix of its own.
# Usage: e2e_wine.sh INSTALLER LINUX_PROGRAM
set -euo pipefail

installer=$1
linux_program=$2
if [ ! -x "$linux_program" ]; then
    echo "Skipped: no Linux program at $linux_program to compare with (scripts/setup builds it)."
    exit 77
fi
program=$installer language_file='' TRUMI_E2E_IN_PLACE=1  # read by e2e_common.sh
source "$(dirname "$0")/../../../testing/e2e_common.sh"

wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$work/wine}
# Wine's desktop belongs to the display of the prefix's first process: the
# prefix's other programs (tests on the offscreen platform, say) must have
# ended, so that this test's display is the one its windows appear on.
timeout 60 /usr/lib/wine/wineserver -w || fail "Wine programs of another test are still running"
drive_c=$WINEPREFIX/drive_c
installed="$drive_c/Program Files/Trumi Editor"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Trumi Editor"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trumi Editor'
target=$work/demo.txt

# Whatever happens, the program is stopped and the installation removed.
uninstall() { "$wine" "$installed/Uninstall.exe" /S && wait_until eval '[ ! -e "$installed" ]'; }
leave() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    pid=
    [ -e "$installed/Uninstall.exe" ] && uninstall >/dev/null 2>&1
    cleanup
}
trap leave EXIT

"$wine" "$installer" /S || fail "the installer failed"
for file in trumi-editor.exe trumi-editor-1.0.exe trumi-editor.com trumi-editor-1.0.com TE.ini Config.lic \
    README.txt LICENSE.txt fonts/LiberationSans-Regular.ttf fonts/LiberationMono-Regular.ttf \
    translations/qtbase_es.qm Uninstall.exe; do
    [ -f "$installed/$file" ] || fail "the installer did not install $file"
done
[ -f "$menu/Trumi Editor.lnk" ] && [ -f "$menu/Trumi Editor 1.0.lnk" ] || fail "no Start-menu entries"
"$wine" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "not in the installed programs"
"$wine" reg query "$uninstall_key" /v EstimatedSize 2>/dev/null | grep -q 'REG_DWORD' ||
    fail "the installed programs do not show the size"

# The windows start without a console; the .com companions that cmd and
# release scripts find first are console programs.
subsystem() { x86_64-w64-mingw32-objdump -p "$installed/$1" | grep -o 'Windows [GC]UI'; }
for name in trumi-editor trumi-editor-1.0; do
    [ "$(subsystem "$name.exe")" = 'Windows GUI' ] || fail "$name.exe would open a console window"
    [ "$(subsystem "$name.com")" = 'Windows CUI' ] || fail "$name.com is not a console program"
done
in_installed() { (cd "$installed" && "$wine" cmd /c "$@" 2>&1 | tr -d '\r'); }
in_installed 'trumi-editor --help' | grep -q 'versión del producto' ||
    fail "cmd did not run the console companion in the program's language"
cat >"$work/release.bat" <<'BAT'
@echo off
trumi-editor --version >nul
echo status %ERRORLEVEL%
trumi-editor --output "%TEMP%" --product demo 2>nul
echo status %ERRORLEVEL%
trumi-editor --no-such-option 2>nul
echo status %ERRORLEVEL%
BAT
cp "$work/release.bat" "$installed/release-test.bat"
# (cmd ends with the batch file's last status, 2)
statuses=$(in_installed release-test.bat | grep '^status' | tr '\n' ' ') || true
rm "$installed/release-test.bat"
[ "$statuses" = 'status 0 status 1 status 2 ' ] || fail "a batch file saw the exit statuses as: $statuses"

start_installed() {
    (cd "$work" && exec "$wine" "C:\\Program Files\\Trumi Editor\\$1" "${@:2}") &
    pid=$!
}

windows_path() { echo "Z:${1//\//\\}"; }

# Types a file's Windows path into the Save dialog's name box, over what it
# holds.
answer_save_dialog() {
    local dialog
    dialog=$(window_named '^Generar fichero$')
    focus_window "$dialog"
    xdotool key End shift+Home BackSpace
    xdotool type --delay 10 "$(windows_path "$1")"
    xdotool key Return
    echo "$dialog"
}

start_installed trumi-editor.exe
window=$(window_named '^Trumi Editor 1\.1')
focus_window "$window"
xdotool key Tab Tab space shift+Tab shift+Tab
xdotool type --delay 20 'demo'
xdotool key Tab && xdotool type --delay 20 '1.0'
xdotool key Tab Tab Right
xdotool key Tab && xdotool type --delay 20 'author'
xdotool key Tab Tab Tab Tab
xdotool type --delay 20 'Free to use.'
xdotool key Tab && xdotool type --delay 20 'Copy unchanged.'
xdotool key Tab && xdotool type --delay 20 'First line'
xdotool key Return && xdotool type --delay 20 'Second line'
xdotool key alt+c
answer_save_dialog "$target" >/dev/null

without_date() { LC_ALL=C grep -av '^Fecha: ' "$1"; }
written() { [ -s "$target" ] && LC_ALL=C grep -aq $'^Fecha: .\+\r$' "$target"; }
wait_until written || fail "no document was written"
"$linux_program" --output "$work/linux.txt" --product demo --product-version 1.0 --status beta --author author \
    --use-licence 'Free to use.' --distribution-licence 'Copy unchanged.' --description $'First line\nSecond line'
wait_until eval 'cmp -s <(without_date "$work/linux.txt") <(without_date "$target")' ||
    { diff <(without_date "$work/linux.txt" | od -c) <(without_date "$target" | od -c) >&2; fail "the documents differ"; }

# Over a read-only document: Windows' dialog asks before replacing, then
# the program refuses and says so, and the document stays as it was.
cp "$target" "$work/before.txt"
chmod a-w "$target"
focus_window "$window"
xdotool key alt+c
dialog=$(answer_save_dialog "$target")
confirm_window() {
    local ids
    ids=$(xdotool search --onlyvisible --name '^Generar fichero$' 2>/dev/null) || return 1
    confirm=$(grep -vx "$dialog" <<<"$ids" | tail -n1) && [ -n "$confirm" ]
}
wait_until confirm_window || fail "Windows' dialog did not ask before replacing"
focus_window "$confirm"
xdotool key Return
message=$(window_named '^Trumi Editor$')
cmp -s "$work/before.txt" "$target" || fail "the read-only document was changed"
focus_window "$message"
xdotool key Return
wait_until eval '! xdotool search --onlyvisible --name "^Trumi Editor\$" >/dev/null 2>&1' || fail "the message stayed"

focus_window "$window"
xdotool key alt+s
expect_program_end "the program did not end after Close"

# "Open with": the document the Linux program wrote, named with letters
# outside the ANSI code page and given as Windows gives it, opens into the
# form; Create proposes that very file, and accepting the proposal writes it
# back byte for byte, its date included; the Linux program then reads the
# date back from it too.
mkdir "$work/otro"
opened="$work/otro/léame ñ 中.txt"
cp "$work/linux.txt" "$opened"
touch -d '2020-01-01' "$opened"
start_installed trumi-editor.exe "$(windows_path "$opened")"
window=$(window_named '^Trumi Editor 1\.1')
focus_window "$window"
# Create is enabled once the opened fields are seen, on the window's timer.
create_asks() {
    xdotool key alt+c
    sleep 0.2
    xdotool search --onlyvisible --name '^Generar fichero$' >/dev/null 2>&1
}
wait_until create_asks || fail "Create stayed disabled: the document named on the command line was not opened"
dialog=$(window_named '^Generar fichero$')
focus_window "$dialog"
xdotool key Return
wait_until confirm_window || fail "the proposal was not the opened document"
focus_window "$confirm"
xdotool key Return
rewritten() { [ "$(stat -c %Y "$opened")" -gt 1577923200 ]; }
wait_until rewritten || fail "accepting the proposal did not write the opened document"
[ "$(ls "$work/otro" | wc -l)" = 1 ] || fail "the proposal wrote a second file: $(ls "$work/otro")"
# Windows writes the date in its own form; Linux reads that back as the
# same moment and writes it as it first did.
cmp -s <(without_date "$work/linux.txt") <(without_date "$opened") ||
    fail "the opened document did not come back the same"
grep -aq $'^Fecha: [0-9].*\r$' "$opened" || fail "the date was lost on the way: $(grep -a '^Fecha' "$opened")"
"$linux_program" --from "$opened" --output "$work/back.txt" || fail "Linux could not read the document back"
cmp -s "$work/linux.txt" "$work/back.txt" ||
    fail "the date did not travel back to Linux: $(grep -a '^Fecha' "$work/linux.txt" "$opened" "$work/back.txt")"
focus_window "$window"
xdotool key alt+s
expect_program_end "the program did not end after Close"

# An upgrade while the program runs changes nothing and says so with exit
# status 2; once the program has ended, it goes through.
start_installed trumi-editor.exe
window=$(window_named '^Trumi Editor 1\.1')
touch -d '2020-01-01' "$installed/trumi-editor.exe"
status=0
"$wine" "$installer" /S || status=$?
[ "$status" = 2 ] || fail "the installer ran over the running program (status $status)"
[ "$(stat -c %Y "$installed/trumi-editor.exe")" -lt 1577923200 ] || fail "the refused upgrade replaced the program"
focus_window "$window"
xdotool key alt+s
expect_program_end "the program did not end after Close"
"$wine" "$installer" /S || fail "the upgrade failed once the program had ended"
[ "$(stat -c %Y "$installed/trumi-editor.exe")" -gt 1577923200 ] || fail "the upgrade did not replace the program"

start_installed trumi-editor-1.0.exe
window=$(window_named '^Trumi Editor 1\.0')
focus_window "$window"
xdotool key alt+s
expect_program_end "the single-language release did not end after Close"

uninstall || fail "the uninstaller left $(find "$installed" | head -5)"
[ ! -e "$menu" ] || fail "the uninstaller left the Start-menu entries"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstaller left its registry entry"
echo "1 passed, 0 failed"
