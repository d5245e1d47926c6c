#!/usr/bin/env bash
# What shredding leaves in an NTFS file system, read from the raw image
# after the real program's command-line runs:
#   1. a tree of folders and files shredded with /F2 /R2: no name of a
#      folder or a file, as ASCII or UTF-16LE, nor any content is left in
#      what the file system keeps in use (the parent's index above all);
#   2. 200 small files (which NTFS keeps inside their MFT records) and a
#      few large ones, deleted the ordinary way, then the drive's free space
#      shredded: none of their contents or names is left, the log counts the
#      MFT records the job overwrote, and the drive holds nothing of the job;
#      nor is anything of the tree left in the freed records and blocks;
#   3. with 200 small files deleted again, engine_tests' MftRecordFillTest
#      runs the job on the drive: Cancel within the MFT step, its clean-up,
#      its progress and its count.
# The deleted files lie in a folder deleted with them: a name in the index
# of a folder that lives on is in space that folder owns, out of reach of a
# free-space job.
#
#   ntfs_leftovers_on_image.sh <path of Vantrel.exe> <path of engine_tests.exe>
#
# Needs root, mkntfs, ntfs-3g (FUSE), a Wine prefix in WINEPREFIX and a
# DISPLAY for the progress dialog. Exit 77 (skipped) when any is missing.
# NTFS_KEEP=1 keeps the work folder (the image, the log) for a look after.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "ntfs_leftovers: $*"; }

[ $# -eq 2 ] || { echo "usage: $0 <path of Vantrel.exe> <path of engine_tests.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$PROGRAM" ] || fail "no program at $PROGRAM"
TESTS=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
[ -f "$TESTS" ] || fail "no test executable at $TESTS"
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog (run through scripts/test.sh)"
source "$(dirname "$0")/../support/ntfs_image.sh"
ntfs_usable || skip "mkntfs, ntfs-3g, /dev/fuse or root is missing"

WORK=
cleanup() {
    local status=$? clean=0
    trap - EXIT
    set +e
    ntfs_release_all || clean=1
    if [ -n "$WORK" ] && [ "$clean" -eq 0 ] && [ -z "${NTFS_KEEP:-}" ]; then rm -rf "$WORK"; fi
    [ "$clean" -eq 0 ] || echo "ntfs_leftovers: left $WORK behind, something is still mounted there" >&2
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

WORK=$(mktemp -d "$(dirname "$PROGRAM")/ntfs_leftovers.XXXXXX")
IMAGE=$WORK/disk.img
POINT=$WORK/mnt
ntfs_make_image "$IMAGE" 64 || skip "mkntfs could not make an image"
ntfs_mount "$IMAGE" "$POINT" || skip "ntfs-3g could not mount the image"

LETTER=$(ntfs_free_letter) || fail "no free drive letter in $WINEPREFIX"
ntfs_link_drive "$LETTER" "$POINT"
DRIVE=$(printf '%s' "$LETTER" | tr a-z A-Z):
PROGRAM_DIR=$WORK/program
mkdir -p "$PROGRAM_DIR"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
PROGRAM_LETTER=$(ntfs_free_letter) || fail "no second free drive letter in $WINEPREFIX"
ntfs_link_drive "$PROGRAM_LETTER" "$PROGRAM_DIR"
# A running prefix keeps the drive list it started with.
wineserver -k 2>/dev/null || true

# run_program NAME ARGS...: a silent run; its log must be the task name,
# then LOG_MIDDLE (when set), then "Success".
run_program() {
    local task=$1 status=0
    shift
    rm -f "$PROGRAM_DIR/log.txt"
    # To a file, not a pipe: the services a first wine starts keep its output open.
    wine "$PROGRAM_DIR/Vantrel.exe" /s "$task" "$@" >"$WORK/program.out" 2>&1 || status=$?
    wineserver -w
    [ "$status" -eq 0 ] || fail "$task: the program exited with $status: $(cat "$WORK/program.out")"
    LOG=$(tr -d '\r' <"$PROGRAM_DIR/log.txt" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//' || true)
    [ "$(head -n 1 <<<"$LOG")" = "Task Name: $task" ] || fail "$task: the log does not start with its task: $LOG"
    [ "$(tail -n 1 <<<"$LOG")" = Success ] || fail "$task: the log does not end in Success: $LOG"
}

# No trace of a name or a text in the raw image, in either encoding.
gone_from_image() {
    local what=$1 text=$2 count
    count=$(raw_count "$IMAGE" "$text")
    [ "$count" -eq 0 ] || fail "$what: '$text' is still in the raw image ($count lines)"
}

in_image() {
    [ "$(raw_count "$IMAGE" "$2")" -gt 0 ] || fail "$1: '$2' is not in the raw image to begin with"
}

# Letters only, so that no other text of the disk can hold them by chance.
tag() { head -c 300 /dev/urandom | tr -dc 'a-zA-Z' | head -c 12; }

# 1. A tree of distinct names, shredded with its folders.
TREE_TAG=Tree$(tag)
TREE_CONTENT=Body$(tag)
TOP=$POINT/top$TREE_TAG
for a in 1 2 3; do
    for b in 1 2; do
        folder=$TOP/folder${a}x$TREE_TAG/sub${a}${b}y$TREE_TAG
        mkdir -p "$folder"
        for c in 1 2; do printf '%s %s%s%s\n' "$TREE_CONTENT" "$a" "$b" "$c" >"$folder/file$a$b${c}z$TREE_TAG.txt"; done
    done
    printf '%s big %s\n' "$TREE_CONTENT" "$a" | head -c 200000 >"$TOP/folder${a}x$TREE_TAG/note${a}z$TREE_TAG.txt"
done
sync
in_image "the tree" "top$TREE_TAG"
in_image "the tree" "sub11y$TREE_TAG"
run_program Tree /O0 /F2 /R2 "$DRIVE\\top$TREE_TAG"
[ ! -e "$TOP" ] || fail "the tree is still on the drive: $(find "$TOP" | head)"
[ -z "$(ls -A "$POINT")" ] || fail "the tree run left on the drive: $(ls -A "$POINT")"
ntfs_unmount "$POINT" || fail "could not unmount $POINT"
live=$(raw_live_count "$IMAGE" "$TREE_TAG")
[ "$live" -eq 0 ] || fail "$live copies of the shredded tree's names are still in use on the disk"
live=$(raw_live_count "$IMAGE" "$TREE_CONTENT")
[ "$live" -eq 0 ] || fail "$live copies of the shredded tree's content are still in use on the disk"
note "a shredded tree leaves no folder name, file name or content where the file system keeps what is in use"

# 2. Small files kept in their MFT records and large ones in clusters,
# deleted the ordinary way, then the free space shredded.
ntfs_mount "$IMAGE" "$POINT" || fail "could not mount the image again"
NAME_TAG=Gone$(tag)
SMALL=Small$(tag)
LARGE=Large$(tag)
# small_files FOLDER: 200 files of a few hundred bytes, in their records.
small_files() {
    local n i piece body
    mkdir "$1"
    for n in $(seq 1 200); do
        piece=$(printf '%s%03d|' "$SMALL" "$n")
        body=
        for i in $(seq 1 16); do body=$body$piece; done
        printf '%s' "$body" >"$1/small${n}n$NAME_TAG.txt"
    done
}
small_files "$POINT/deleted$NAME_TAG"
text="$LARGE|"
while [ ${#text} -lt 1000000 ]; do text=$text$text; done
for n in 1 2 3; do printf '%s' "${text:0:$((n * 400000))}" >"$POINT/deleted$NAME_TAG/large${n}n$NAME_TAG.bin"; done
sync
rm -r "$POINT/deleted$NAME_TAG"
sync
in_image "the deleted files" "$SMALL"
in_image "the deleted files" "small1n$NAME_TAG"
in_image "the deleted files" "$LARGE"
run_program Free /O0 "$DRIVE\\"
records=$(sed -n "s/^\([0-9][0-9]*\) free MFT records overwritten on drive $DRIVE, .*/\1/p" <<<"$LOG")
[ -n "$records" ] || fail "the log does not tell the MFT records overwritten: $LOG"
[ "$records" -ge 200 ] || fail "only $records MFT records were overwritten, fewer than the 200 small files"
[ "$(wc -l <<<"$LOG")" -eq 4 ] || fail "the log holds more than the task, the count and Success: $LOG"
[ -z "$(ls -A "$POINT")" ] || fail "the free-space run left on the drive: $(ls -A "$POINT")"
ntfs_unmount "$POINT" || fail "could not unmount $POINT"
gone_from_image "the content of a deleted small file" "$SMALL"
gone_from_image "the content of a deleted large file" "$LARGE"
gone_from_image "the name of a deleted file" "$NAME_TAG"
# What the tree's removal left in freed records and blocks is free space too.
gone_from_image "a name of the shredded tree" "$TREE_TAG"
gone_from_image "the content of the shredded tree" "$TREE_CONTENT"
note "after the free-space run ($records MFT records) no content or name of the deleted files is in the raw image"

# 3. The job's MFT step from inside, on the same drive.
ntfs_mount "$IMAGE" "$POINT" || fail "could not mount the image a third time"
small_files "$POINT/again"
sync
rm -r "$POINT/again"
sync
STATUS=0
VANTREL_NTFS_ROOT="$DRIVE\\" wine "$TESTS" --gtest_color=no --gtest_filter='MftRecordFillTest.*' \
    >"$WORK/tests.out" 2>&1 || STATUS=$?
tr -d '\r' <"$WORK/tests.out"
[ "$STATUS" -eq 0 ] || fail "MftRecordFillTest failed"
grep -q '^\[  PASSED  \] 1 test' "$WORK/tests.out" || fail "MftRecordFillTest did not run"
[ -z "$(ls -A "$POINT")" ] || fail "the engine's runs left on the drive: $(ls -A "$POINT")"
note "Cancel in the MFT step cleans up; a whole run counts every freed record"
