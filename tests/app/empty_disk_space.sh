#!/usr/bin/env bash
# The command-line word "emptydiskspace" shreds the free space of every local
# fixed drive. It runs in a prefix of its own whose only fixed drives are two
# small ext2 images: C: (with the system folder linked in from the test
# prefix) and R:. Marker files written and deleted on both beforehand must be
# gone from both raw images afterwards.
#
#   empty_disk_space.sh <path of Vantrel.exe>
#
# Needs root (loop devices, mount) and the test prefix in WINEPREFIX.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "empty_disk_space: $*"; }

[ $# -eq 1 ] || { echo "usage: $0 <path of Vantrel.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$PROGRAM" ] || fail "no program at $PROGRAM"
[ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ] || skip "WINEPREFIX is not a set-up Wine prefix"
SOURCE_PREFIX=$WINEPREFIX
for command in wine wineserver mkfs.ext2 losetup mount umount truncate; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root"

WORK=$(mktemp -d "$(dirname "$PROGRAM")/empty_disk_space.XXXXXX")
PREFIX=$WORK/prefix
MOUNTS=()
LOOPS=()
cleanup() {
    local status=$? item clean=1
    trap - EXIT
    set +e
    WINEPREFIX=$PREFIX wineserver -k 2>/dev/null || true
    sleep 0.5
    for item in "${MOUNTS[@]}"; do
        umount "$item" 2>/dev/null || umount -l "$item" || clean=0
    done
    for item in "${LOOPS[@]}"; do losetup -d "$item" 2>/dev/null || clean=0; done
    if [ "$clean" -eq 1 ]; then rm -rf "$WORK"; else echo "left $WORK behind" >&2; fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# mount_image <name> <MiB>: an ext2 image mounted at $WORK/<name>.
mount_image() {
    local image=$WORK/$1.img point=$WORK/$1 loop
    truncate -s "${2}M" "$image"
    mkfs.ext2 -q -F -b 4096 -m 0 "$image" >/dev/null
    loop=$(losetup --find --show "$image" 2>/dev/null) || skip "no loop device for $image"
    LOOPS+=("$loop")
    mkdir -p "$point"
    mount -t ext2 "$loop" "$point" 2>/dev/null || skip "mounting an ext2 image is not permitted here"
    MOUNTS+=("$point")
}

mount_image c 24
mount_image r 16

# The prefix: the test prefix's registry, and a C: that holds nothing of the
# machine. The system folder is linked in from the test prefix so that Wine
# finds its libraries; the job only ever writes in a drive's root.
mkdir -p "$PREFIX/dosdevices" "$WORK/c/windows" "$WORK/c/vantrel"
cp "$SOURCE_PREFIX"/*.reg "$SOURCE_PREFIX/.update-timestamp" "$PREFIX/"
ln -s "$SOURCE_PREFIX/drive_c/windows/system32" "$WORK/c/windows/system32"
ln -s "$WORK/c" "$PREFIX/dosdevices/c:"
ln -s "$WORK/r" "$PREFIX/dosdevices/r:"
cp "$PROGRAM" "$WORK/c/vantrel/Vantrel.exe"

MARKER="vantrel-empty-space-$$-$RANDOM$RANDOM-$(date +%s%N)|"
for drive in c r; do
    text=$MARKER
    while [ ${#text} -lt 200000 ]; do text=$text$text; done
    for n in 1 2 3; do printf '%s' "$text" >"$WORK/$drive/deleted$n.dat"; done
    sync
    rm -f "$WORK/$drive"/deleted*.dat
    sync
done

export WINEPREFIX=$PREFIX
note "running emptydiskspace on C: ($(df --output=avail -h "$WORK/c" | tail -1 | tr -d ' ') free) and R:"
wine 'C:\vantrel\Vantrel.exe' /s Empty emptydiskspace >"$WORK/program.out" 2>&1 || fail "the program failed: $(cat "$WORK/program.out")"
wineserver -w
LOG=$(tr -d '\r' <"$WORK/c/vantrel/log.txt" 2>/dev/null || true)
[ "$LOG" = "$(printf '\xef\xbb\xbfTask Name: Empty\nSuccess\n')" ] || fail "the log is not a success: $LOG"
for drive in c r; do
    [ ! -e "$WORK/$drive/SHREDTMP.\$\$\$" ] || fail "$drive: SHREDTMP.\$\$\$ was left behind"
done
WINEPREFIX=$PREFIX wineserver -k 2>/dev/null || true

for index in 0 1; do
    point=${MOUNTS[$index]}
    umount "$point"
    MOUNTS[$index]=
done
MOUNTS=()
for drive in c r; do
    count=$(LC_ALL=C grep -c -a -F -e "$MARKER" "$WORK/$drive.img" || true)
    [ "$count" -eq 0 ] || fail "$drive: the deleted marker is still in the raw image ($count lines)"
done
note "both drives shredded, the marker is gone from both raw images, nothing left behind"
