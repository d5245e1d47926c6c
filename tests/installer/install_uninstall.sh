#!/usr/bin/env bash
# The installer in a Wine prefix of its own: a silent install, the installed
# program's own silent run, the registered component, the help file and the
# shortcuts; then a silent uninstall that leaves none of them behind.
# Skips (77) where makensis is missing or the component is not built.
set -uo pipefail
source_dir="$1"
build_dir="$2"
clsid='{CD06F30A-1794-4862-AA8A-3D87A446AC11}'

command -v makensis >/dev/null || { echo "makensis is missing (Debian package nsis)"; exit 77; }
[ -f "$build_dir/Sched.dll" ] || { echo "$build_dir/Sched.dll is not built: no installer to test"; exit 77; }

work="$build_dir/installer_test"
rm -rf "$work"
mkdir -p "$work/testdrive"
cd "$work"
version=$(tr -d '\r\n' <"$build_dir/VERSION")
setup="$work/Vantrel-Setup-$version.exe"
makensis -V1 -DVERSION="$version" -DBUILD_DIR="$build_dir" -DOUT_FILE="$setup" "$source_dir/installer/Vantrel.nsi" ||
    { echo "FAIL: makensis"; exit 1; }

export WINEPREFIX="$work/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1
wineserver -w
rm -f "$WINEPREFIX/dosdevices/z:"
ln -sfn "$work/testdrive" "$WINEPREFIX/dosdevices/t:"
cp "$setup" "$work/testdrive/"

failures=0
check() {  # description, command...
    local what="$1"; shift
    if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }
shortcuts() { find "$WINEPREFIX/drive_c" -iname '*.lnk' -ipath '*Vantrel*' 2>/dev/null; }

wine "T:\\Vantrel-Setup-$version.exe" /S
wineserver -w
program_dir="$WINEPREFIX/drive_c/Program Files/Vantrel"
for file in Vantrel.exe Uninstall.exe HLP/Hlp.chm Lang/English.ini Lang/English.bmp Lang/German.ini Lang/French.ini; do
    check "installed $file" test -f "$program_dir/$file"
done
check "Sched.dll in the system folder" test -f "$WINEPREFIX/drive_c/windows/system32/Sched.dll"
check "the component is registered" has_key "HKCR\\CLSID\\$clsid"
check "Add or Remove Programs entry" has_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
check "the entry names version $version" \
    bash -c "wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel' /v DisplayVersion | grep -q '$version'"
check "three Start-menu shortcuts" test "$(shortcuts | wc -l)" -eq 3

# The installed program's own silent run on a file of the test drive.
mkdir -p "$work/testdrive/run"
printf 'secret' >"$work/testdrive/run/notes.txt"
wine 'C:\Program Files\Vantrel\Vantrel.exe' /s Installed 'T:\run\notes.txt'
status=$?
wineserver -w
check "the installed program ends with 0 (got $status)" test "$status" -eq 0
check "the file is shredded" absent test -e "$work/testdrive/run/notes.txt"
check "its log says Success" grep -q '^Success' "$program_dir/log.txt"

# Tasks of the component's store: a silent uninstall keeps them unless told.
cp "$source_dir/tests/installer/add_tasks.js" "$work/testdrive/"
wine cscript //nologo 'T:\add_tasks.js'
wineserver -w
job() { find "$WINEPREFIX/drive_c/windows" -maxdepth 2 -iname "$1.job" | grep -q .; }
check "Vantrel's task exists" job VantrelNightly
check "the other program's task exists" job OtherProgramTask

wine 'C:\Program Files\Vantrel\Uninstall.exe' /S
wineserver -w
check "no program folder left" absent test -e "$program_dir"
check "no Sched.dll left" absent test -e "$WINEPREFIX/drive_c/windows/system32/Sched.dll"
check "no component registration left" absent has_key "HKCR\\CLSID\\$clsid"
check "no ProgID left" absent has_key 'HKCR\TaskScheduler.Schedule'
check "no Add or Remove Programs entry left" \
    absent has_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
check "no shortcuts left" test -z "$(shortcuts)"
check "a silent uninstall keeps the settings" has_key 'HKCU\Software\Vantrel'
check "a silent uninstall keeps the tasks" job VantrelNightly

# Again, told to remove the tasks and the settings: only Vantrel's task goes.
wine "T:\\Vantrel-Setup-$version.exe" /S
wineserver -w
wine 'C:\Program Files\Vantrel\Uninstall.exe' /S /REMOVETASKS /REMOVESETTINGS
wineserver -w
check "reinstalled and removed again" absent test -e "$program_dir"
check "/REMOVETASKS removes Vantrel's task" absent job VantrelNightly
check "and leaves the other program's task" job OtherProgramTask
check "/REMOVESETTINGS removes the settings" absent has_key 'HKCU\Software\Vantrel'

echo "$failures failed"
[ "$failures" -eq 0 ]
