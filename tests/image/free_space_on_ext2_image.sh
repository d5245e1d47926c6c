#!/usr/bin/env bash
# Deleted data in the free space of a real ext2 file system is gone from the
# raw image once the real program has shredded the drive's free space from
# its command line, and the program leaves nothing of its own behind.
#
#   free_space_on_ext2_image.sh <path of Vantrel.exe>
#
# Needs root (loop device, mount), a Wine prefix in WINEPREFIX and a DISPLAY
# for the progress dialog. Exit 77 (skipped) when any of that is missing.
# Only the drive this script mounts itself is ever shredded.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "free_space_image: $*"; }

[ $# -eq 1 ] || { echo "usage: $0 <path of Vantrel.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$PROGRAM" ] || fail "no program at $PROGRAM"

[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog (run through scripts/test.sh)"
for command in wine mkfs.ext2 losetup mount umount truncate grep; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root; running as $(id -un)"

WORK=
LOOP=
POINT=
DRIVE_LINK=
PROGRAM_LINK=

cleanup() {
    local status=$? clean=1 try
    trap - EXIT
    [ -n "$DRIVE_LINK" ] && rm -f "$DRIVE_LINK"
    [ -n "$PROGRAM_LINK" ] && rm -f "$PROGRAM_LINK"
    if [ -n "$POINT" ] && mountpoint -q "$POINT"; then
        # Wine can hold a file for a moment after its process has gone.
        for try in $(seq 1 40); do umount "$POINT" 2>/dev/null && break; sleep 0.25; done
        if mountpoint -q "$POINT"; then umount -l "$POINT" || clean=0; fi
    fi
    [ -n "$LOOP" ] && { losetup -d "$LOOP" 2>/dev/null || clean=0; }
    # Never remove the folder while something may still be mounted inside it.
    if [ -n "$WORK" ] && [ "$clean" -eq 1 ]; then
        rm -rf "$WORK"
    elif [ -n "$WORK" ]; then
        echo "free_space_image: left $WORK behind, something is still mounted there" >&2
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

WORK=$(mktemp -d "$(dirname "$PROGRAM")/free_space_image.XXXXXX")

# Two drive letters nobody else in this prefix uses: the image, and the
# program's folder, where it writes its log (the prefix has no Z: drive).
LETTERS=()
for candidate in u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
        LETTERS+=("$candidate")
    fi
    [ ${#LETTERS[@]} -eq 2 ] && break
done
[ ${#LETTERS[@]} -eq 2 ] || fail "not two free drive letters among u: to y: in $WINEPREFIX"
LETTER=${LETTERS[0]}
DRIVE=$(printf '%s' "$LETTER" | tr a-z A-Z):

IMAGE=$WORK/disk.img
POINT=$WORK/mnt
truncate -s 16M "$IMAGE"
# -m 0: no blocks kept back for root, so the program can fill every one.
mkfs.ext2 -q -F -b 4096 -m 0 "$IMAGE" >/dev/null
LOOP=$(losetup --find --show "$IMAGE" 2>/dev/null) || skip "could not attach a loop device to $IMAGE"
mkdir -p "$POINT"
mount -t ext2 "$LOOP" "$POINT" 2>/dev/null || skip "mounting an ext2 image is not permitted here"

# Files of a marker that nothing else on the disk holds, spread over the
# drive, then deleted the ordinary way: their blocks are free but still
# hold the marker.
MARKER="vantrel-free-space-marker-$$-$RANDOM$RANDOM-$(date +%s%N)|"
text=$MARKER
while [ ${#text} -lt 1000000 ]; do text=$text$text; done
for number in 1 2 3 4 5 6; do printf '%s' "${text:0:$((number * 300000))}" >"$POINT/secret$number.txt"; done
sync
rm "$POINT"/secret*.txt
sync
[ "$(LC_ALL=C grep -c -a -F -e "$MARKER" "$IMAGE" || true)" -gt 0 ] ||
    fail "the marker is not in the raw image before shredding"

DRIVE_LINK=$WINEPREFIX/dosdevices/$LETTER:
ln -sfn "$POINT" "$DRIVE_LINK"

# The real program in a folder of its own, so its log lands there. Output to
# a file, not a pipe: the services a first wine starts keep its output open.
PROGRAM_DIR=$WORK/program
mkdir -p "$PROGRAM_DIR"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
PROGRAM_LINK=$WINEPREFIX/dosdevices/${LETTERS[1]}:
ln -sfn "$PROGRAM_DIR" "$PROGRAM_LINK"
note "shredding the free space of $DRIVE (a 16 MiB ext2 image) with /O1"
STATUS=0
# A running prefix keeps the drive list it started with.
wineserver -k 2>/dev/null || true
wine "$PROGRAM_DIR/Vantrel.exe" /s Free /O1 "$DRIVE\\" >"$WORK/program.out" 2>&1 || STATUS=$?
rm -f "$DRIVE_LINK"
DRIVE_LINK=
[ "$STATUS" -eq 0 ] || fail "the program exited with $STATUS: $(cat "$WORK/program.out")"
[ -f "$PROGRAM_DIR/log.txt" ] || fail "the program wrote no log"
[ "$(od -An -c "$PROGRAM_DIR/log.txt" | tr -s ' \n' ' ')" = \
  "$(printf '\xef\xbb\xbfTask Name: Free\r\nSuccess\r\n\r\n' | od -An -c | tr -s ' \n' ' ')" ] ||
    fail "the program's log is not a success: $(cat -A "$PROGRAM_DIR/log.txt")"

left=$(ls -A "$POINT" | grep -vx 'lost+found' || true)
[ -z "$left" ] || fail "left behind on the drive: $left"
[ "$(df --output=avail -B1 "$POINT" | tail -n 1 | tr -d ' ')" -gt 15000000 ] ||
    fail "the drive's free space did not come back"

for try in $(seq 1 40); do umount "$POINT" 2>/dev/null && break; sleep 0.25; done
mountpoint -q "$POINT" && fail "could not unmount $POINT"
losetup -d "$LOOP"
LOOP=

count=$(LC_ALL=C grep -c -a -F -e "$MARKER" "$IMAGE" || true)
[ "$count" -eq 0 ] || fail "the marker is still in the raw image ($count lines)"
note "the marker is gone from the raw image and nothing is left on the drive"
