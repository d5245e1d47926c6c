#!/usr/bin/env bash
# A silent "recycle" run of the real program on a bin of an ext2 image, with
# the prefix reporting Windows 10, Windows 7 and XP in turn. The image holds
# both layouts: "$Recycle.Bin\<SID>" with "$R" files, an "$R" folder tree and
# "$I" records of the original names (UTF-16LE), another user's SID folder
# beside it, and "RECYCLED" with an item and its INFO2 (Wine reports ext2 as
# no NTFS, so under XP that is the drive's bin). The system version alone
# decides which layout is shredded; the other stays as it was.
# Afterwards the raw image must hold neither the data nor the original names.
#
#   recycle_bin_on_ext2_image.sh <path of Vantrel.exe>
#
# Runs in a prefix of its own whose only fixed drive is the image: C: is
# reported as a network drive, so no job ever looks at it. Needs root (loop
# devices, mount) and the test prefix in WINEPREFIX. Exit 77 when missing.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "recycle_bin_image: $*"; }

[ $# -eq 1 ] || { echo "usage: $0 <path of Vantrel.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$PROGRAM" ] || fail "no program at $PROGRAM"
[ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ] || skip "WINEPREFIX is not a set-up Wine prefix"
SOURCE_PREFIX=$WINEPREFIX
for command in wine wineserver mkfs.ext2 losetup mount umount truncate python3; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root"

WORK=$(mktemp -d "$(dirname "$PROGRAM")/recycle_bin_image.XXXXXX")
PREFIX=$WORK/prefix
POINT=$WORK/r
LOOP=
MOUNTED=0
cleanup() {
    local status=$? clean=1
    trap - EXIT
    set +e
    WINEPREFIX=$PREFIX wineserver -k 2>/dev/null
    sleep 0.5
    if [ "$MOUNTED" -eq 1 ]; then umount "$POINT" 2>/dev/null || umount -l "$POINT" || clean=0; fi
    [ -n "$LOOP" ] && { losetup -d "$LOOP" 2>/dev/null || clean=0; }
    if [ "$clean" -eq 1 ]; then rm -rf "$WORK"; else echo "left $WORK behind" >&2; fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# The prefix: the test prefix's registry, a C: that holds only the program
# and a link to the system folder, and the image as R:. No Z:, no T:.
mkdir -p "$PREFIX/dosdevices" "$WORK/c/windows" "$WORK/c/vantrel" "$POINT"
cp "$SOURCE_PREFIX"/*.reg "$SOURCE_PREFIX/.update-timestamp" "$PREFIX/"
ln -s "$SOURCE_PREFIX/drive_c/windows/system32" "$WORK/c/windows/system32"
ln -s "$WORK/c" "$PREFIX/dosdevices/c:"
ln -s "$POINT" "$PREFIX/dosdevices/r:"
cp "$PROGRAM" "$WORK/c/vantrel/Vantrel.exe"
export WINEPREFIX=$PREFIX
export XDG_DATA_HOME=$WORK/xdg
reg_add() { wine reg add "$@" /f >/dev/null 2>&1 || fail "could not set $*"; }
reg_add 'HKLM\Software\Wine\Drives' /v c: /t REG_SZ /d network
# The conflict notice would only be noted in the log; the log is to be "Success".
reg_add 'HKCU\Software\Korvex\Vantrel' /v BinAlertDisabled /t REG_DWORD /d 1
SID=$(wine reg query HKU 2>/dev/null | tr -d '\r' | sed -n 's/^HKEY_USERS\\\(S-1-5-21-[0-9-]*\)$/\1/p' | head -n 1)
[ -n "$SID" ] || fail "the prefix's user has no SID under HKEY_USERS"
OTHER_SID=S-1-5-21-1111-2222-3333-1001
wineserver -k 2>/dev/null || true  # the drive types are read when the prefix starts

STAMP=$$-$RANDOM$RANDOM
# fill <file> <marker> <bytes>: a file of the marker over and over.
fill() {
    python3 -c 'import sys; m=sys.argv[2].encode(); n=int(sys.argv[3]); open(sys.argv[1],"wb").write((m*(n//len(m)+1))[:n])' "$@"
}
# record <file> <version> <size> <original path>: an "$I" record, as Vista to
# 8 (version 1, a fixed 260-character name) or 10 (version 2, with its length)
# write it.
record() {
    python3 - "$@" <<'EOF'
import struct, sys
path, version, size, name = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
text = (name + "\0").encode("utf-16-le")
head = struct.pack("<qqq", version, size, 133_000_000_000_000_000)
if version == 1:
    body = text.ljust(520, b"\0")
else:
    body = struct.pack("<I", len(name) + 1) + text
open(path, "wb").write(head + body)
EOF
}
count_bytes() {  # count_bytes <image> <text> [utf16]
    python3 - "$@" <<'EOF'
import sys
data = open(sys.argv[1], "rb").read()
needle = sys.argv[2].encode("utf-16-le" if len(sys.argv) > 3 else "utf-8")
print(data.count(needle))
EOF
}
digest() { (cd "$1" && find . -printf '%p %s\n' -type f -exec sha256sum {} + | sort); }

# run_version <Wine version> <record version>
run_version() {
    local version=$1 format=$2 image=$WORK/$1.img
    truncate -s 16M "$image"
    mkfs.ext2 -q -F -b 4096 -m 0 "$image" >/dev/null
    LOOP=$(losetup --find --show "$image" 2>/dev/null) || skip "no loop device for $image"
    mount -t ext2 "$LOOP" "$POINT" 2>/dev/null || skip "mounting an ext2 image is not permitted here"
    MOUNTED=1

    local bin=$POINT/\$Recycle.Bin/$SID other=$POINT/\$Recycle.Bin/$OTHER_SID old=$POINT/RECYCLED
    local data="vantrel-bin-data-$version-$STAMP|" kept="vantrel-bin-kept-$version-$STAMP|"
    local ledger="Quarterly-Ledger-$version-$STAMP.xlsx" plans="Orchard-Plans-$version-$STAMP"
    local letter="Letter-To-Keep-$version-$STAMP.txt" xp="vantrel-bin-xp-$version-$STAMP|"
    mkdir -p "$bin/\$RK2L9QF/drafts/older" "$other" "$old"
    fill "$bin/\$R7QX2ZA.xlsx" "$data" 150000
    record "$bin/\$I7QX2ZA.xlsx" "$format" 150000 "C:\\Users\\tester\\Documents\\$ledger"
    fill "$bin/\$RK2L9QF/outline.txt" "$data" 70000
    fill "$bin/\$RK2L9QF/drafts/first.txt" "$data" 5000
    fill "$bin/\$RK2L9QF/drafts/older/zero.txt" "$data" 300
    record "$bin/\$IK2L9QF" "$format" 75300 "C:\\Users\\tester\\Projects\\$plans"
    printf '[.ShellClassInfo]\r\nLocalizedResourceName=@%%SystemRoot%%\\system32\\shell32.dll,-8964\r\n' \
        >"$bin/desktop.ini"
    fill "$other/\$RA1B2C3.txt" "$kept" 20000
    record "$other/\$IA1B2C3.txt" "$format" 20000 "C:\\Users\\other\\$letter"
    fill "$old/Dc1.txt" "$xp" 40000
    printf 'INFO2 of the XP layout\n' >"$old/INFO2"
    sync
    local other_before old_before bin_before
    other_before=$(digest "$other")
    old_before=$(digest "$old")
    bin_before=$(digest "$POINT/\$Recycle.Bin")

    # Wine's shell bin is the XDG trash: one item, so that the shell sees a bin to empty.
    rm -rf "$XDG_DATA_HOME"
    mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
    printf 'trashed\n' >"$XDG_DATA_HOME/Trash/files/note.txt"
    printf '[Trash Info]\nPath=/tmp/note.txt\nDeletionDate=2026-12-01T10:00:00\n' \
        >"$XDG_DATA_HOME/Trash/info/note.txt.trashinfo"

    reg_add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version"
    rm -f "$WORK/c/vantrel/log.txt"
    local status=0
    wine 'C:\vantrel\Vantrel.exe' /s Bin recycle >"$WORK/program.out" 2>&1 || status=$?
    wineserver -w
    local log
    log=$(tr -d '\r' <"$WORK/c/vantrel/log.txt" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//; /^$/d' || true)
    [ "$status" -eq 0 ] || fail "$version: the program exited with $status; log: $log"
    [ "$log" = "$(printf 'Task Name: Bin\nSuccess')" ] || fail "$version: the log is not a success: $log"
    [ -z "$(ls -A "$XDG_DATA_HOME/Trash/files")" ] || fail "$version: the shell's bin was not emptied"

    [ "$(digest "$other")" = "$other_before" ] || fail "$version: the other user's bin changed"
    if [ "$version" = winxp ]; then
        [ "$(digest "$POINT/\$Recycle.Bin")" = "$bin_before" ] || fail "winxp: the Vista layout was touched"
        [ -f "$old/Dc1.txt" ] && [ "$(stat -c %s "$old/Dc1.txt")" -eq 0 ] ||
            fail "winxp: the XP item was not overwritten in place"
        [ "$(cat "$old/INFO2")" = "INFO2 of the XP layout" ] || fail "winxp: INFO2 changed"
        [ "$(stat -c %s "$old/desktop.ini")" -eq 65 ] || fail "winxp: the bin's desktop.ini was not written again"
    else
        [ "$(digest "$old")" = "$old_before" ] || fail "$version: the XP layout was touched"
        local left
        left=$(cd "$bin" && ls -A)
        [ "$left" = desktop.ini ] || fail "$version: left in the bin: $left"
        [ "$(stat -c %s "$bin/desktop.ini")" -eq 65 ] || fail "$version: the bin's desktop.ini was not written again"
    fi

    umount "$POINT"
    MOUNTED=0
    losetup -d "$LOOP"
    LOOP=

    local shredded=("$data") names=() gone=0 here
    if [ "$version" = winxp ]; then
        shredded=("$xp")
    else
        names=("$ledger" "$plans" "C:\\Users\\tester\\Documents\\$ledger" "C:\\Users\\tester\\Projects\\$plans")
    fi
    for text in "${shredded[@]}" "${names[@]}"; do
        here=$(count_bytes "$image" "$text")
        [ "$here" -eq 0 ] || fail "$version: '$text' is still in the raw image ($here times)"
    done
    for text in "${names[@]}"; do
        here=$(count_bytes "$image" "$text" utf16)
        [ "$here" -eq 0 ] || fail "$version: '$text' in UTF-16LE is still in the raw image ($here times)"
    done
    # The scan finds what it looks for: the other user's data and name are there.
    [ "$(count_bytes "$image" "$kept")" -gt 0 ] || fail "$version: the scan misses the other user's data"
    [ "$(count_bytes "$image" "$letter" utf16)" -gt 0 ] || fail "$version: the scan misses the other user's name"
    rm -f "$image"
    note "$version: the bin shredded and emptied, its data and names gone from the raw image, the rest untouched"
}

run_version win10 2
run_version win7 1
run_version winxp 1
note "all checks passed"
