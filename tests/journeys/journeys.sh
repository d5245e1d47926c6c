#!/usr/bin/env bash
# The journeys: the real Vantrel.exe started as a user starts it, in a prefix
# of its own with Sched.dll registered, the shipped language packs and help
# beside the program, and driven from outside through its windows.
#
#   journeys.sh <journey_tests.exe> <build folder> [gtest arguments]
#
# The Shred Drive journey gets a small ext2 image linked as a drive when
# mounting is permitted; afterwards the raw image is scanned for the data of
# the file deleted before the run. The shell's Recycle Bin is a trash folder
# of this test (XDG_DATA_HOME), never the user's.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ $# -ge 2 ] || { echo "usage: $0 <journey_tests.exe> <build folder> [gtest arguments]" >&2; exit 2; }
TESTS=$1
BUILD=$2
shift 2
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "the journeys need a display (run through scripts/test.sh)"
BUILD_DIR=$BUILD
source "$(dirname "$0")/../../scripts/env.sh"

BASE=$WINEPREFIX
DRIVE=$(readlink -f "$BASE/dosdevices/t:")
export WINEPREFIX=$BUILD/journey_prefix
HOME_DIR=$DRIVE/journeys
IMAGE_DIR=$BUILD/journey_image
LOOP=
POINT=$IMAGE_DIR/mnt

cleanup() {
    local status=$?
    trap - EXIT
    wineserver -k 2>/dev/null || true
    release_image || true
    rm -rf "$WINEPREFIX" "$HOME_DIR"
    [ -d "$POINT" ] && mountpoint -q "$POINT" || rm -rf "$IMAGE_DIR"
    exit "$status"
}
release_image() {
    if mountpoint -q "$POINT" 2>/dev/null; then
        for try in $(seq 1 40); do umount "$POINT" 2>/dev/null && break; sleep 0.25; done
        mountpoint -q "$POINT" && umount -l "$POINT"
    fi
    if [ -n "$LOOP" ]; then losetup -d "$LOOP" 2>/dev/null || true; LOOP=; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

rm -rf "$WINEPREFIX" "$HOME_DIR" "$IMAGE_DIR"
cp -a "$BASE" "$WINEPREFIX"
mkdir -p "$HOME_DIR/bin" "$HOME_DIR/work" "$HOME_DIR/xdg"
cp "$BUILD/Vantrel.exe" "$HOME_DIR/bin/"
cp -r "$BUILD/Lang" "$HOME_DIR/bin/"
[ -d "$BUILD/HLP" ] && cp -r "$BUILD/HLP" "$HOME_DIR/bin/"
export XDG_DATA_HOME=$HOME_DIR/xdg
export VANTREL_JOURNEY_BIN='T:\journeys\bin'
export VANTREL_JOURNEY_WORK='T:\journeys\work'

# The small drive of the Shred Drive journey: linked before the prefix
# starts, since a running prefix keeps the drive list it started with.
export VANTREL_JOURNEY_DRIVE=
if [ "$(id -u)" -eq 0 ] && command -v mkfs.ext2 >/dev/null && command -v losetup >/dev/null; then
    mkdir -p "$POINT"
    truncate -s 8M "$IMAGE_DIR/disk.img"
    mkfs.ext2 -q -F -b 4096 -m 0 "$IMAGE_DIR/disk.img" >/dev/null
    if LOOP=$(losetup --find --show "$IMAGE_DIR/disk.img" 2>/dev/null) && mount -t ext2 "$LOOP" "$POINT" 2>/dev/null; then
        chmod 777 "$POINT"
        ln -sfn "$POINT" "$WINEPREFIX/dosdevices/r:"
        VANTREL_JOURNEY_DRIVE=R
    else
        echo "journeys: mounting an ext2 image is not permitted here; the Shred Drive journey is skipped"
        release_image
    fi
fi

install_scheduler_component "$WINEPREFIX"

status=0
wine "$TESTS" --gtest_color=no "$@" || status=1
wineserver -k 2>/dev/null || true

# What the Shred Drive journey deleted before its run must be gone from the
# raw image once the drive's free space was shredded.
if [ -n "$VANTREL_JOURNEY_DRIVE" ] && [ -f "$HOME_DIR/work/drive_journey_ran" ]; then
    release_image
    if LC_ALL=C grep -c -a -o 'DELETED-BEFORE-THE-RUN' "$IMAGE_DIR/disk.img" >/dev/null; then
        echo "FAILED: the Shred Drive journey left the deleted file's data in the raw image"
        status=1
    else
        echo "journeys: the raw image holds none of the deleted file's data"
    fi
fi
exit $status
