#!/usr/bin/env bash
# The whole job from the window to the disk: files are dropped on a real
# Shred Files page and a folder tree on a real Shred Folders page, Shred Now
# runs with the real progress dialog, and afterwards the raw bytes of the
# ext2 image must hold none of the files' contents.
#
#   page_shred_on_ext2_image.sh <path of page_tool.exe>
#
# Needs root (loop device, mount), a Wine prefix in WINEPREFIX and a DISPLAY.
# Exit 77 (skipped) when any of that is missing. Only the drive this script
# mounts itself is ever shredded on.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "page_image_promise: $*"; }

[ $# -eq 1 ] || { echo "usage: $0 <path of page_tool.exe>" >&2; exit 2; }
TOOL=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$TOOL" ] || fail "no page tool at $TOOL"
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the page and the progress dialog"
for command in wine mkfs.ext2 losetup mount umount truncate; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root; running as $(id -un)"

WORK=
LOOP=
POINT=
DRIVE_LINK=
SETTINGS_KEY='HKCU\software\Korvex\Vantrel'
cleanup() {
    local status=$? try
    trap - EXIT
    set +e
    [ -n "$DRIVE_LINK" ] && rm -f "$DRIVE_LINK"
    wine reg add "$SETTINGS_KEY" /v Folder /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add "$SETTINGS_KEY" /v Remove /t REG_DWORD /d 0 /f >/dev/null 2>&1
    if [ -n "$POINT" ] && mountpoint -q "$POINT"; then
        for try in $(seq 1 40); do umount "$POINT" 2>/dev/null && break; sleep 0.25; done
        mountpoint -q "$POINT" && umount -l "$POINT"
    fi
    [ -n "$LOOP" ] && losetup -d "$LOOP" 2>/dev/null
    [ -n "$WORK" ] && ! mountpoint -q "$POINT" && rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

WORK=$(mktemp -d "$(dirname "$TOOL")/page_image.XXXXXX")
LETTER=
for candidate in u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
        LETTER=$candidate
        break
    fi
done
[ -n "$LETTER" ] || fail "drive letters u: to y: are all taken in $WINEPREFIX"
DRIVE=$(printf '%s' "$LETTER" | tr a-z A-Z):

IMAGE=$WORK/disk.img
POINT=$WORK/mnt
truncate -s 16M "$IMAGE"
mkfs.ext2 -q -F -b 4096 -m 0 "$IMAGE" >/dev/null
LOOP=$(losetup --find --show "$IMAGE" 2>/dev/null) || skip "could not attach a loop device"
mkdir -p "$POINT"
mount -t ext2 "$LOOP" "$POINT" 2>/dev/null || skip "mounting an ext2 image is not permitted here"

# Files of a few hundred KiB, none a multiple of the 64 KiB write block, each
# filled with a marker of its own.
MARKERS=()
make_secret() {
    local path=$1 size=$2 marker text
    marker="vantrel-page-marker-$RANDOM$RANDOM-$(date +%s%N)|"
    MARKERS+=("$marker")
    text=$marker
    while [ ${#text} -lt "$size" ]; do text=$text$text; done
    printf '%s' "${text:0:$size}" >"$path"
}
make_secret "$POINT/one.dat" 300014
make_secret "$POINT/two.txt" 70001
make_secret "$POINT/three.bin" 1000
mkdir -p "$POINT/tree/sub/deeper"
make_secret "$POINT/tree/a.doc" 200003
make_secret "$POINT/tree/sub/b.doc" 65536
make_secret "$POINT/tree/sub/deeper/c.doc" 131073
sync
for marker in "${MARKERS[@]}"; do
    LC_ALL=C grep -q -a -F -e "$marker" "$IMAGE" || fail "a marker is not in the raw image before shredding"
done

DRIVE_LINK=$WINEPREFIX/dosdevices/$LETTER:
ln -sfn "$POINT" "$DRIVE_LINK"
run_page() {
    local status=0
    wine "$TOOL" "$@" >"$WORK/tool.out" 2>&1 || status=$?
    tr -d '\r' <"$WORK/tool.out" | sed 's/^/    | /'
    [ "$status" -eq 0 ] || fail "page_tool $1 exited with $status"
    grep -qx 'PROGRESS DIALOGS: [1-9][0-9]*' <(tr -d '\r' <"$WORK/tool.out") || fail "no progress dialog was shown"
}
note "dropping three files on the Shred Files page of drive $DRIVE"
run_page files "$DRIVE\\one.dat" "$DRIVE\\two.txt" "$DRIVE\\three.bin"
note "dropping a tree on the Shred Folders page (subfolders shredded and removed)"
wine reg add "$SETTINGS_KEY" /v Folder /t REG_DWORD /d 2 /f >/dev/null 2>&1 || fail "could not set Folder"
wine reg add "$SETTINGS_KEY" /v Remove /t REG_DWORD /d 2 /f >/dev/null 2>&1 || fail "could not set Remove"
run_page folders "$DRIVE\\tree"
rm -f "$DRIVE_LINK"
DRIVE_LINK=

left=$(ls -A "$POINT" | grep -vx 'lost+found' || true)
[ -z "$left" ] || fail "left behind on the drive: $left"
for try in $(seq 1 40); do umount "$POINT" 2>/dev/null && break; sleep 0.25; done
mountpoint -q "$POINT" && fail "the image could not be unmounted"
for marker in "${MARKERS[@]}"; do
    count=$(LC_ALL=C grep -c -a -F -e "$marker" "$IMAGE" || true)
    [ "$count" -eq 0 ] || fail "the marker $marker is still in the raw image"
done
note "all ${#MARKERS[@]} files gone from the directory and from the image's raw bytes"
