#!/usr/bin/env bash
# The installer in a Wine prefix of its own: a silent install, the installed
# program's own silent run, the registered component, the help file and the
# shortcuts, all for every user of the machine and in the 32-bit views of
# 64-bit Windows; then a silent uninstall that leaves none of them behind. The
# settings (HKCU\Software\Korvex\Vantrel) and the stored algorithms
# (HKCU\Software\Vantrel) stay unless /REMOVESETTINGS is given; then both go,
# and the company's key HKCU\Software\Korvex with them only when nothing of
# another product is left in it.
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
has_value() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
algorithms_key='HKCU\Software\Vantrel'
settings_key='HKCU\Software\Korvex\Vantrel'
company_key='HKCU\Software\Korvex'
other_key='HKCU\Software\Korvex\OtherProduct'
# Values of both of Vantrel's keys, as the program leaves them after a while.
write_settings() {
    wine reg add "$algorithms_key" /v Algorithms /t REG_DWORD /d 1 /f
    wine reg add "$algorithms_key\Algorithm0" /v Name /t REG_SZ /d Mine /f
    wine reg add "$settings_key" /v Method /t REG_DWORD /d 2 /f
    wine reg add "$settings_key" /v Language /t REG_SZ /d German /f
    wine reg add "$settings_key" /v FirstRun /t REG_DWORD /d 0 /f
    wineserver -w
} >/dev/null 2>&1
reinstall() {
    wine "T:\\Vantrel-Setup-$version.exe" /S
    wineserver -w
}
uninstall() {
    wine 'C:\Program Files\Vantrel\Uninstall.exe' /S "$@"
    wineserver -w
}
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
# One installation for all users, by an administrator, fit for 64-bit Windows.
all_users_programs="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantrel"
check "the shortcuts are in every user's Start menu" \
    test "$(find "$all_users_programs" -iname '*.lnk' 2>/dev/null | wc -l)" -eq 3
check "and none in the installing user's own" \
    test -z "$(find "$WINEPREFIX/drive_c/users" -iname '*.lnk' -ipath '*Vantrel*' 2>/dev/null)"
check "the installer asks for an administrator" grep -aq 'level="requireAdministrator"' "$setup"
check "the installer names Windows 10 and 11 among its systems" grep -aq '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' "$setup"
# A value's data as the 32-bit view of the registry holds it.
reg_value() {
    wine reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' |
        awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print }'
}
check "the program is in the 32-bit Program Files" \
    test "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel' InstallLocation)" = \
         "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir)\Vantrel"
check "the component is registered in the 32-bit view" wine reg query "HKCR\\CLSID\\$clsid\\InprocServer32" /reg:32
nsi="$source_dir/installer/Vantrel.nsi"
check "the script installs into the 32-bit Program Files" grep -q '^InstallDir "\$PROGRAMFILES32\\' "$nsi"
check "installer and uninstaller work for all users in the 32-bit registry view" \
    test "$(awk '/^Function (\.|un\.)onInit/,/^FunctionEnd/' "$nsi" | grep -cE '^ +(SetShellVarContext all|SetRegView 32)$')" -eq 4

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

# Settings under both keys, and another product of the company beside Vantrel.
write_settings
wine reg add "$other_key" /v Kept /t REG_SZ /d yes /f >/dev/null 2>&1
wineserver -w

uninstall
check "no program folder left" absent test -e "$program_dir"
check "no Sched.dll left" absent test -e "$WINEPREFIX/drive_c/windows/system32/Sched.dll"
check "no component registration left" absent has_key "HKCR\\CLSID\\$clsid"
check "no ProgID left" absent has_key 'HKCR\TaskScheduler.Schedule'
check "no Add or Remove Programs entry left" \
    absent has_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
check "no shortcuts left" test -z "$(shortcuts)"
check "a silent uninstall keeps the stored algorithms" has_value "$algorithms_key" Algorithms
check "a silent uninstall keeps the settings" has_value "$settings_key" FirstRun
check "and the settings' other values" has_value "$settings_key" Method
check "a silent uninstall keeps the tasks" job VantrelNightly

# Again, told to remove the tasks and the settings: only Vantrel's task goes.
reinstall
uninstall /REMOVETASKS /REMOVESETTINGS
check "reinstalled and removed again" absent test -e "$program_dir"
check "/REMOVETASKS removes Vantrel's task" absent job VantrelNightly
check "and leaves the other program's task" job OtherProgramTask
check "/REMOVESETTINGS removes the stored algorithms" absent has_key "$algorithms_key"
check "/REMOVESETTINGS removes the settings" absent has_key "$settings_key"
check "and leaves the other product's key" has_value "$other_key" Kept

# The company's key with a value of its own and no other subkey: it stays.
reinstall
write_settings
wine reg delete "$other_key" /f >/dev/null 2>&1
wine reg add "$company_key" /v Kept /t REG_SZ /d yes /f >/dev/null 2>&1
wineserver -w
uninstall /REMOVESETTINGS
check "a third time: both of Vantrel's keys go" \
    bash -c "! wine reg query '$algorithms_key' && ! wine reg query '$settings_key'"
check "the company's key with a value of its own stays" has_value "$company_key" Kept

# Nothing else under the company's key: it goes with Vantrel's settings.
reinstall
write_settings
wine reg delete "$company_key" /v Kept /f >/dev/null 2>&1
wineserver -w
check "Vantrel's settings are back under the company's key" has_key "$settings_key"
uninstall /REMOVESETTINGS
check "a fourth time: the company's key left empty goes" absent has_key "$company_key"
check "and the stored algorithms with it" absent has_key "$algorithms_key"

echo "$failures failed"
[ "$failures" -eq 0 ]
