#!/usr/bin/env bash
# Gives the free-space tests drives of their own: a small empty tmpfs and a
# full one, linked as two free drive letters of the prefix. A free-space job
# fills its whole drive, so it never runs anywhere else. Then makes links on
# the small drive, which no Wine process can make, and checks from Linux that
# the job wrote nothing through them and removed none.
#
#   free_space_drive_test.sh <path of engine_tests.exe>
#
# Needs root (mounts) and the Wine prefix in WINEPREFIX. Exit 77 (skipped)
# when that is missing or mounting is refused.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "free_space_drive: $*"; }

[ $# -eq 1 ] || { echo "usage: $0 <engine_tests.exe>" >&2; exit 2; }
TESTS=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$TESTS" ] || fail "no test executable at $TESTS"
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
for command in wine mount umount dd; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "mounting a tmpfs needs root; running as $(id -un)"

WORK=
LINKS=()
MOUNTS=()

cleanup() {
    local status=$? item clean=1 try
    trap - EXIT
    for item in "${LINKS[@]}"; do rm -f "$item"; done
    for item in "${MOUNTS[@]}"; do
        # Wine can hold a file for a moment after its process has gone.
        for try in $(seq 1 40); do umount "$item" 2>/dev/null && break; sleep 0.25; done
        if mountpoint -q "$item"; then umount -l "$item" || clean=0; fi
    done
    if [ -n "$WORK" ] && [ "$clean" -eq 1 ]; then rm -rf "$WORK"; fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

WORK=$(mktemp -d "${TMPDIR:-/tmp}/free_space_drive.XXXXXX")

# Two drive letters nobody else in this prefix uses.
LETTERS=()
for candidate in q r s u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
        LETTERS+=("$candidate")
    fi
    [ ${#LETTERS[@]} -eq 2 ] && break
done
[ ${#LETTERS[@]} -eq 2 ] || fail "not two free drive letters in $WINEPREFIX"

# mount_drive <name> <size> <letter>: a tmpfs linked as that drive.
mount_drive() {
    local point=$WORK/$1
    mkdir -p "$point"
    mount -t tmpfs -o "size=$2,mode=0777" "vantrel-$1" "$point" 2>/dev/null || skip "mounting a tmpfs is refused here"
    MOUNTS+=("$point")
    ln -sfn "$point" "$WINEPREFIX/dosdevices/$3:"
    LINKS+=("$WINEPREFIX/dosdevices/$3:")
}

mount_drive free 6m "${LETTERS[0]}"
mount_drive full 1m "${LETTERS[1]}"
FREE=$WORK/free
FULL=$WORK/full
dd if=/dev/zero of="$FULL/filler" bs=64k status=none 2>/dev/null || true
[ "$(df --output=avail -B1 "$FULL" | tail -n 1 | tr -d ' ')" -eq 0 ] || fail "could not fill $FULL"
FREE_ROOT="$(printf '%s' "${LETTERS[0]}" | tr a-z A-Z):\\"
FULL_ROOT="$(printf '%s' "${LETTERS[1]}" | tr a-z A-Z):\\"
note "free drive $FREE_ROOT, full drive $FULL_ROOT"

# Output to a file, not a pipe: a wine that starts the prefix's services hands
# them its output, and a pipe would then never see its end.
run_tests() {
    local filter=$1 status=0
    VANTREL_FREE_SPACE_ROOT=$FREE_ROOT VANTREL_FULL_ROOT=$FULL_ROOT \
        wine "$TESTS" --gtest_color=no --gtest_filter="$filter" >"$WORK/tests.out" 2>&1 || status=$?
    tr -d '\r' <"$WORK/tests.out"
    [ "$status" -eq 0 ] || fail "the tests $filter failed"
}

nothing_left() {
    [ ! -e "$FREE/SHREDTMP.\$\$\$" ] && [ ! -L "$FREE/SHREDTMP.\$\$\$" ] ||
        fail "$1: SHREDTMP.\$\$\$ is left on the drive"
    [ ! -e "$FULL/SHREDTMP.\$\$\$" ] || fail "$1: SHREDTMP.\$\$\$ is left on the full drive"
}

run_tests 'FreeSpace*'
nothing_left "the tests"
[ "$(ls -A "$FREE")" = "" ] || fail "left on the drive: $(ls -A "$FREE")"

# Each layout puts a link where the job makes its folder or its first file.
# Targets lie on the same drive, outside the folder.
FOLDER="$FREE/SHREDTMP.\$\$\$"
make_layout() {
    mkdir -p "$FREE/elsewhere"
    printf 'keep me\n' >"$FREE/elsewhere/victim.bin"
    case $1 in
    folder) ln -s elsewhere "$FOLDER" ;;
    file) mkdir "$FOLDER"; ln -s ../elsewhere/victim.bin "$FOLDER/SHRED000.TMP" ;;
    dangling) mkdir "$FOLDER"; ln -s ../elsewhere/made.bin "$FOLDER/SHRED000.TMP" ;;
    hard) mkdir "$FOLDER"; ln "$FREE/elsewhere/victim.bin" "$FOLDER/SHRED000.TMP" ;;
    esac
}

check_layout() {
    [ "$(cat "$FREE/elsewhere/victim.bin")" = "keep me" ] || fail "$1: the link's target changed"
    [ ! -e "$FREE/elsewhere/made.bin" ] || fail "$1: a file was made through the link"
    [ "$(ls -A "$FREE/elsewhere")" = victim.bin ] || fail "$1: the job wrote beside the target"
    case $1 in
    folder) [ -L "$FOLDER" ] || fail "folder: the link is gone" ;;
    hard) [ "$(stat -c %h "$FOLDER/SHRED000.TMP")" -eq 2 ] || fail "hard: the hard link is gone" ;;
    *) [ -L "$FOLDER/SHRED000.TMP" ] || fail "$1: the link is gone" ;;
    esac
    [ "$(stat -c %a "$FREE/elsewhere/victim.bin")" = 644 ] || fail "$1: the target's mode changed"
}

for layout in folder file dangling hard; do
    umask 022
    make_layout "$layout"
    VANTREL_FREE_SPACE_LINKS=$layout run_tests 'FreeSpaceLinksTest.*'
    grep -q '^\[  PASSED  \] 1 test' "$WORK/tests.out" || fail "$layout: the links test did not run"
    check_layout "$layout"
    rm -rf "$FOLDER" "$FREE/elsewhere"
    nothing_left "$layout"
    note "$layout: nothing written through the link, nothing removed"
done
note "all checks passed"
