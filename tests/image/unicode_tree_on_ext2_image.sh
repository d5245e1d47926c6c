#!/usr/bin/env bash
# A tree named in Cyrillic, Greek, Japanese and emoji, and deeper than 400
# characters, on a real ext2 image: the real program, started with a wide
# command line (CreateProcessW, as the system's scheduler starts a task),
# shreds every file and folder of it, logs "Success" and exits with 0; the
# folder beside it stays whole, and the raw image holds none of the tree's
# data. A missing target with a Cyrillic name is then named readably in the
# log. On the 9x family such a name is reported and its file left whole.
#
#   unicode_tree_on_ext2_image.sh <path of Vantrel.exe> <path of raw_launch.exe>
#
# Needs root (loop devices, mount), a Wine prefix in WINEPREFIX with the test
# drive T: and a DISPLAY for the progress dialog. Exit 77 (skipped) when any
# of that is missing. Only the drive this script mounts itself is shredded on.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "unicode_tree: $*"; }

[ $# -eq 2 ] || { echo "usage: $0 <path of Vantrel.exe> <path of raw_launch.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
LAUNCHER=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
[ -f "$PROGRAM" ] && [ -f "$LAUNCHER" ] || fail "no program or launcher at $PROGRAM, $LAUNCHER"
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices/t:" ] ||
    skip "WINEPREFIX is not a test prefix with T: (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog (run through scripts/test.sh)"
for command in wine mkfs.ext2 losetup mount umount truncate grep; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root; running as $(id -un)"
# Names and the environment cross into Wine as UTF-8.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

WORK=
LOOP=
MOUNTED=
DRIVE_LINK=
PROGRAM_DIR=
VERSION_SET=
cleanup() {
    local status=$?
    trap - EXIT
    set +e
    [ -n "$VERSION_SET" ] && wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
    [ -n "$DRIVE_LINK" ] && rm -f "$DRIVE_LINK"
    [ -n "$PROGRAM_DIR" ] && rm -rf "$PROGRAM_DIR"
    if [ -n "$MOUNTED" ]; then
        for _ in $(seq 1 40); do umount "$MOUNTED" 2>/dev/null && MOUNTED= && break; sleep 0.25; done
        [ -z "$MOUNTED" ] || umount -l "$MOUNTED"
    fi
    [ -n "$LOOP" ] && losetup -d "$LOOP" 2>/dev/null
    [ -n "$WORK" ] && rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

WORK=$(mktemp -d "$(dirname "$PROGRAM")/unicode_tree.XXXXXX")
LETTER=
for candidate in q s u v w; do
    [ -e "$WINEPREFIX/dosdevices/$candidate:" ] || [ -L "$WINEPREFIX/dosdevices/$candidate:" ] || { LETTER=$candidate; break; }
done
[ -n "$LETTER" ] || fail "no free drive letter in $WINEPREFIX"
DRIVE=$(printf '%s' "$LETTER" | tr a-z A-Z):

truncate -s 16M "$WORK/disk.img"
mkfs.ext2 -q -F -b 4096 -m 0 "$WORK/disk.img" >/dev/null
LOOP=$(losetup --find --show "$WORK/disk.img" 2>/dev/null) || skip "could not attach a loop device"
mkdir -p "$WORK/mnt"
mount -t ext2 "$LOOP" "$WORK/mnt" 2>/dev/null || skip "mounting an ext2 image is not permitted here"
MOUNTED=$WORK/mnt

# Every file holds its own marker, many times over, so a scan finds any
# block of it that was left.
fill() { local file=$1 marker=$2; : >"$file"; for _ in $(seq 1 300); do printf '%s ' "$marker" >>"$file"; done; }
TOP="$WORK/mnt/Отчёты 2026"
mkdir -p "$TOP/Έκθεση Ιανουάριος" "$TOP/報告書 第一四半期" "$TOP/🔒 κλειστό 🗝️"
fill "$TOP/сводка.txt" MARKER-CYRILLIC
fill "$TOP/Έκθεση Ιανουάριος/πίνακας.csv" MARKER-GREEK
fill "$TOP/報告書 第一四半期/売上.txt" MARKER-JAPANESE
fill "$TOP/🔒 κλειστό 🗝️/😀 emoji 🎉.txt" MARKER-EMOJI
deep="$TOP"
for level in 1 2 3 4 5 6 7; do
    deep="$deep/уровень $level $(printf 'д%.0s' $(seq 1 50))"
    mkdir -p "$deep"
done
fill "$deep/глубоко.txt" MARKER-DEEP
fill "$WORK/mnt/секрет.txt" MARKER-LONE-FILE
mkdir -p "$WORK/mnt/Остаётся"
fill "$WORK/mnt/Остаётся/не трогать.txt" MARKER-SIBLING
sync
windows_deep=${deep#"$WORK/mnt/"}
[ ${#windows_deep} -gt 400 ] || fail "the deep path is only ${#windows_deep} characters"

ln -sfn "$WORK/mnt" "$WINEPREFIX/dosdevices/$LETTER:"
DRIVE_LINK=$WINEPREFIX/dosdevices/$LETTER:
name=unicode_program.$$
PROGRAM_DIR=$WINEPREFIX/dosdevices/t:/$name
mkdir -p "$PROGRAM_DIR"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
cp "$LAUNCHER" "$PROGRAM_DIR/raw_launch.exe"

# Runs the program with the command line given, through CreateProcessW;
# sets STATUS and LOG (the log without its byte-order mark and blank lines).
run() {
    rm -f "$PROGRAM_DIR/log.txt"
    STATUS=0
    VANTREL_COMMAND_LINE=$1 wine "T:\\$name\\raw_launch.exe" >"$WORK/program.out" 2>&1 || STATUS=$?
    wineserver -w
    [ "$(head -c 3 "$PROGRAM_DIR/log.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "log.txt has no UTF-8 mark"
    LOG=$(tail -c +4 "$PROGRAM_DIR/log.txt" | tr -d '\r' | sed '/^$/d')
    printf '%s\n' "$LOG" | sed 's/^/    | /'
}

run "\"/s\" \"Юникод\" \"/O1\" \"/F2\" \"/R2\" \"$DRIVE\\Отчёты 2026\" \"$DRIVE\\секрет.txt\""
[ "$STATUS" -eq 0 ] || fail "the run exited with $STATUS"
[ "$LOG" = "$(printf 'Task Name: Юникод\nSuccess')" ] || fail "the log is not a success"
[ ! -e "$TOP" ] && [ ! -e "$WORK/mnt/секрет.txt" ] || fail "the tree or the file is still there: $(ls -R "$WORK/mnt")"
[ "$(ls "$WORK/mnt" | grep -v lost+found)" = "Остаётся" ] || fail "the drive holds more than the sibling: $(ls "$WORK/mnt")"
grep -q MARKER-SIBLING "$WORK/mnt/Остаётся/не трогать.txt" || fail "the sibling folder's file was touched"
note "the tree, ${#windows_deep} characters deep at most, and the file are gone; the sibling is whole"

run "\"/s\" \"Юникод\" \"$DRIVE\\Нет такого файла.txt\""
[ "$STATUS" -eq 1 ] || fail "a missing target exited with $STATUS"
grep -qF "$DRIVE\\Нет такого файла.txt" <<<"$LOG" || fail "the log does not name the missing target readably"
note "a missing Cyrillic target is named as itself in the log"

# The 9x family has only the code page: a name it cannot hold is reported,
# and the file is left whole rather than reached through another name.
fill "$WORK/mnt/секрет 98.txt" MARKER-NINETY-EIGHT
VERSION_SET=1
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win98 /f >/dev/null 2>&1
run "\"/s\" \"98\" \"$DRIVE\\секрет 98.txt\""
wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
VERSION_SET=
[ "$STATUS" -eq 1 ] || fail "the 9x run exited with $STATUS"
grep -q MARKER-NINETY-EIGHT "$WORK/mnt/секрет 98.txt" || fail "the 9x run touched a file it cannot name"
grep -q "Is not a valid file system object" <<<"$LOG" || fail "the 9x run did not report the name"
note "on the 9x family a name outside the code page is reported and its file left whole"

rm -f "$DRIVE_LINK"
DRIVE_LINK=
for _ in $(seq 1 40); do umount "$MOUNTED" 2>/dev/null && MOUNTED= && break; sleep 0.25; done
[ -z "$MOUNTED" ] || fail "the image stayed busy"
for marker in MARKER-CYRILLIC MARKER-GREEK MARKER-JAPANESE MARKER-EMOJI MARKER-DEEP MARKER-LONE-FILE; do
    ! grep -qa "$marker" "$WORK/disk.img" || fail "the raw image still holds $marker"
done
grep -qa MARKER-SIBLING "$WORK/disk.img" || fail "the scan would not find what is there"
note "the raw image holds none of the tree's data"
