#!/usr/bin/env bash
# File systems that refuse to change: a read-only mount and an append-only
# folder of an ext2 image, linked as Wine drives. A silent run of the real
# program on them must log every target it could not shred (whether the
# system refused the deletion or reported it as done while the name stayed),
# end without "Success" and exit with 1.
#
#   deletion_refused_on_image.sh <path of Vantrel.exe>
#
# Needs root (loop devices, mount, chattr), a Wine prefix with the test drive
# T: in WINEPREFIX and a DISPLAY. Exit 77 (skipped) when any of that is missing
# or mounting is refused. Only drives this script mounts itself are touched.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ $# -eq 1 ] || { echo "usage: $0 <path of Vantrel.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices/t:" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix with T: (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog"
for command in wine mkfs.ext2 losetup mount umount chattr; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root"

WORK=$(mktemp -d)
PROGRAM_DIR=$WINEPREFIX/dosdevices/t:/refused_program.$$
LOOP=
MOUNTS=()
cleanup() {
    local status=$? point try
    set +e
    rm -f "$WINEPREFIX/dosdevices/r:" "$WINEPREFIX/dosdevices/w:"
    [ -d "$WORK/rw/appendonly" ] && chattr -a "$WORK/rw/appendonly"
    for point in "${MOUNTS[@]}"; do
        for try in $(seq 1 40); do umount "$point" 2>/dev/null && break; sleep 0.25; done
        mountpoint -q "$point" && umount -l "$point"
    done
    [ -n "$LOOP" ] && losetup -d "$LOOP"
    rm -rf "$PROGRAM_DIR"
    mountpoint -q "$WORK/rw" 2>/dev/null || rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT

truncate -s 8M "$WORK/disk.img"
mkfs.ext2 -q -F -b 4096 -m 0 "$WORK/disk.img"
mkdir -p "$WORK/rw" "$WORK/ro"
LOOP=$(losetup --find --show "$WORK/disk.img" 2>/dev/null) || { LOOP=; skip "no loop device"; }
mount -t ext2 "$LOOP" "$WORK/rw" 2>/dev/null || skip "mounting the image was refused"
MOUNTS=("$WORK/rw")
mkdir -p "$WORK/rw/frozen/empty" "$WORK/rw/appendonly"
head -c 5000 /dev/urandom >"$WORK/rw/frozen/file.txt"
head -c 5000 /dev/urandom >"$WORK/rw/appendonly/file.txt"
cp "$WORK/rw/appendonly/file.txt" "$WORK/appendonly.orig"
chattr +a "$WORK/rw/appendonly" || skip "the file system refuses the append-only flag"
mount --bind "$WORK/rw/frozen" "$WORK/ro" || skip "bind mounts are refused"
MOUNTS=("$WORK/ro" "${MOUNTS[@]}")
mount -o remount,bind,ro "$WORK/ro" || skip "a read-only bind mount is refused"
ln -sfn "$WORK/ro" "$WINEPREFIX/dosdevices/r:"
ln -sfn "$WORK/rw/appendonly" "$WINEPREFIX/dosdevices/w:"

mkdir -p "$PROGRAM_DIR"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
run() {
    rm -f "$PROGRAM_DIR/log.txt"
    STATUS=0
    wine "T:\\refused_program.$$\\Vantrel.exe" "$@" >"$WORK/program.out" 2>&1 || STATUS=$?
    LOG=$(tr -d '\r' <"$PROGRAM_DIR/log.txt" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//; /^$/d' || true)
    printf '%s\n' "$LOG" | sed 's/^/    | /'
}
expect_failure() {
    local what=$1
    [ "$STATUS" -eq 1 ] || fail "$what: exit code $STATUS, expected 1"
    ! grep -qx Success <<<"$LOG" || fail "$what: the log says Success"
    grep -qx 'Not every target was shredded. See the messages above.' <<<"$LOG" || fail "$what: no failure line"
}

echo "an empty folder on a read-only mount"
run /s Nightly /F2 /R2 'R:\empty'
expect_failure "read-only folder"
[ -d "$WORK/ro/empty" ] || fail "the read-only folder is gone"
grep -qx 'R:\\empty' <<<"$LOG" || fail "the read-only folder is not named in the log"

echo "a file on a read-only mount"
run /s Nightly 'R:\file.txt'
expect_failure "read-only file"
grep -qx 'Could not obtain exclusive access to' <<<"$LOG" || fail "the open failure is not logged"

echo "a file in an append-only folder"
run /s Nightly 'W:\file.txt'
expect_failure "append-only folder"
[ -e "$WORK/rw/appendonly/file.txt" ] || fail "the file in the append-only folder is gone"
grep -q 'W:\\file.txt' <<<"$LOG" || fail "the file is not named in the log"
echo "deletion_refused: every refused target was logged, no Success, exit code 1"
