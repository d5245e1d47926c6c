#!/usr/bin/env bash
# Named streams on a small NTFS image, mounted with ntfs-3g so that Wine opens
# "file:name": the engine tests (NamedStreams.*) shred a folder whose file has
# two streams and a Recycle Bin item with one, then the raw image must hold
# none of their data. Last, the real program verifies a file there in a silent
# run with "/V1" and logs "Success".
#
#   streams_on_ntfs_image.sh <engine_tests.exe> <Vantrel.exe>
#
# Needs root (FUSE), mkntfs and ntfs-3g, a Wine prefix in WINEPREFIX with the
# test drive T:, and a DISPLAY. Exit 77 (skipped) when any of that is missing.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "ntfs_streams: $*"; }

[ $# -eq 2 ] || { echo "usage: $0 <engine_tests.exe> <Vantrel.exe>" >&2; exit 2; }
TESTS=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
PROGRAM=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] || skip "WINEPREFIX is not a set-up Wine prefix"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog"
for command in wine mkntfs ntfs-3g fusermount; do command -v "$command" >/dev/null || skip "$command is not installed"; done
[ "$(id -u)" -eq 0 ] && [ -e /dev/fuse ] || skip "FUSE mounts need root and /dev/fuse"

WORK=$(mktemp -d "$(dirname "$TESTS")/ntfs_streams.XXXXXX")
POINT=$WORK/mnt
IMAGE=$WORK/ntfs.img
MOUNTED=
LINK=
PROGRAM_DIR=
cleanup() {
    local status=$?
    trap - EXIT
    set +e
    [ -n "$LINK" ] && rm -f "$LINK"
    [ -n "$PROGRAM_DIR" ] && rm -rf "$PROGRAM_DIR"
    [ -n "$MOUNTED" ] && unmount_ntfs
    [ -z "$MOUNTED" ] && rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT

# Wine can hold a file for a moment after its process has gone.
unmount_ntfs() {
    local try
    for try in $(seq 1 40); do
        fusermount -u "$POINT" 2>/dev/null && { MOUNTED=; return 0; }
        sleep 0.25
    done
    fusermount -u -z "$POINT" && MOUNTED=
}

LETTER=
for candidate in r s u v w x y; do
    [ -e "$WINEPREFIX/dosdevices/$candidate:" ] || [ -L "$WINEPREFIX/dosdevices/$candidate:" ] || { LETTER=$candidate; break; }
done
[ -n "$LETTER" ] || fail "no free drive letter in $WINEPREFIX"
DRIVE=$(printf '%s' "$LETTER" | tr a-z A-Z):

truncate -s 16M "$IMAGE"
mkntfs -F -f -q "$IMAGE" >/dev/null 2>&1 || fail "mkntfs failed"
mkdir -p "$POINT"
ntfs-3g -o streams_interface=windows "$IMAGE" "$POINT" || skip "ntfs-3g could not mount the image here"
MOUNTED=1

# Distinct data in each file and stream, every marker unique to this run.
# All of it lies outside the file records: data small enough to live inside
# a record leaves copies in the record's slack whenever the file system moves
# it there, which overwriting the stream cannot reach.
RUN=$$-$RANDOM$RANDOM
marker_data() { # <marker> <bytes>
    local text=$1
    while [ ${#text} -lt "$2" ]; do text=$text$text; done
    printf '%s' "${text:0:$2}"
}
MAIN=vantrel-main-$RUN\|
NOTES=vantrel-notes-$RUN\|
ZONE=vantrel-zone-$RUN\|
HIDDEN=vantrel-hidden-$RUN\|
mkdir -p "$POINT/walk"
marker_data "$MAIN" 90000 >"$POINT/walk/report.txt"
marker_data "$NOTES" 150000 >"$POINT/walk/report.txt:notes"
marker_data "$ZONE" 3000 >"$POINT/walk/report.txt:zone"
marker_data "$HIDDEN" 5000 >"$POINT/bin.dat"
marker_data "$HIDDEN" 5000 >"$POINT/bin.dat:hidden"
printf 'plain\n' >"$POINT/plain.txt"
printf 'cancel\n' >"$POINT/cancel.txt"
# Cancelled in its stream's first pass: no marker, as most of it stays unwritten.
head -c 150000 /dev/zero >"$POINT/cancel.txt:notes"
sync
[ "$(cat "$POINT/walk/report.txt:notes" | wc -c)" -eq 150000 ] || skip "this ntfs-3g keeps no named streams"

unmount_ntfs
for marker in "$MAIN" "$NOTES" "$ZONE" "$HIDDEN"; do
    LC_ALL=C grep -q -a -F -e "$marker" "$IMAGE" || fail "the marker $marker is not in the raw image before shredding"
done
ntfs-3g -o streams_interface=windows "$IMAGE" "$POINT"
MOUNTED=1
LINK=$WINEPREFIX/dosdevices/$LETTER:
ln -sfn "$POINT" "$LINK"

note "engine on $DRIVE"
VANTREL_NTFS_ROOT="$DRIVE\\" wine "$TESTS" --gtest_color=no --gtest_filter='NamedStreams.*' ||
    fail "the NamedStreams tests failed"

# The real program, with its own stream listing (none under Wine), reads back
# a verified one-pass shred there and ends in Success.
PROGRAM_DIR=$WINEPREFIX/dosdevices/t:/ntfs_program.$$
mkdir -p "$PROGRAM_DIR"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
STATUS=0
wine "T:\\ntfs_program.$$\\Vantrel.exe" /s Image /O0 /V1 "$DRIVE\\plain.txt" >"$WORK/program.out" 2>&1 || STATUS=$?
LOG=$(tr -d '\r' <"$PROGRAM_DIR/log.txt" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//; /^$/d' || true)
[ "$STATUS" -eq 0 ] || fail "the program exited with $STATUS: $LOG"
[ "$LOG" = "$(printf 'Task Name: Image\nSuccess')" ] || fail "the program's log is not a success: $LOG"
[ ! -e "$POINT/plain.txt" ] || fail "plain.txt is still there"

rm -f "$LINK"
LINK=
unmount_ntfs
for marker in "$MAIN" "$NOTES" "$ZONE" "$HIDDEN"; do
    count=$(LC_ALL=C grep -c -a -F -e "$marker" "$IMAGE" || true)
    [ "$count" -eq 0 ] || fail "the marker $marker is still in the raw image ($count lines)"
done
note "no file's or stream's data is left in the raw image"
