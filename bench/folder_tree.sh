#!/usr/bin/env bash
# Throughput of shredding a folder tree of many small files: the real program
# shreds the tree from its command line on a loop-mounted ext2 image linked as
# a Wine drive, next to GNU shred doing the same work on the same file system
# (one zero pass with its flush, cut, renamed, deleted; then the folders
# removed). Run from the top of the tree, as root (loop mounts):
#
#   bash bench/folder_tree.sh
#
# Knobs (environment): BENCH_FOLDERS (50), BENCH_FILES (100 per folder),
# BENCH_FILE_BYTES (4096), BENCH_REPEAT (3 rounds, the best of each is shown),
# BENCH_PROGRAM (another Vantrel.exe to measure), BENCH_SKIP_BUILD=1,
# BENCH_NAMES=unicode (folders and files named in Cyrillic, Greek, Japanese
# and emoji instead of ASCII).
# Exits 77 (skipped) when the loop mount is refused.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"

FOLDERS=${BENCH_FOLDERS:-50}
PER_FOLDER=${BENCH_FILES:-100}
FILE_BYTES=${BENCH_FILE_BYTES:-4096}
REPEAT=${BENCH_REPEAT:-3}
FILES=$((FOLDERS * PER_FOLDER))
FOLDER_NAME=folder FILE_NAME=file
if [ "${BENCH_NAMES:-ascii}" = unicode ]; then
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    FOLDER_NAME="папка Ελλάδα 東京 " FILE_NAME="файл 🔒 "
fi

[ "$(id -u)" -eq 0 ] || { echo "The benchmark mounts an ext2 image: run it as root." >&2; exit 1; }

bench_build
PROGRAM=${BENCH_PROGRAM:-$BUILD_DIR/Vantrel.exe}
[ -f "$PROGRAM" ] || { echo "No program at $PROGRAM" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench-folder-tree
bench_ext2_drive $((FILES * 2 + 1024))

# A prefix of the benchmark's own, so a test run's prefix is left alone.
bench_prefix
ln -sfn "$DRIVE_POINT" "$WINEPREFIX/dosdevices/v:"
# The program's own folder as a drive, so that it can write its log there.
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
ln -sfn "$PROGRAM_DIR" "$WINEPREFIX/dosdevices/p:"

per_second() { awk -v n="$1" -v s="$2" 'BEGIN { if (s <= 0) print "-"; else printf "%.0f", n / s }'; }

head -c "$FILE_BYTES" /dev/urandom >"$WORK/content"

# A fresh tree, on the disk before the clock starts.
make_tree() {
    local folder file
    rm -rf "$DRIVE_POINT/tree"
    mkdir -p "$DRIVE_POINT/tree"
    for folder in $(seq 1 "$FOLDERS"); do
        mkdir "$DRIVE_POINT/tree/$FOLDER_NAME$folder"
        for file in $(seq 1 "$PER_FOLDER"); do
            cp "$WORK/content" "$DRIVE_POINT/tree/$FOLDER_NAME$folder/$FILE_NAME$file.dat"
        done
    done
    sync
}

# Seconds for one silent run of the program on V:\<folder>; the folder must be gone after it.
time_vantrel() {
    local folder=$1 start end status=0
    rm -f "$PROGRAM_DIR/log.txt"
    start=$(now)
    # To a file: the services a first wine starts keep its output open.
    wine 'P:\Vantrel.exe' /s Bench /O0 /F2 /R2 "V:\\$folder" >"$WORK/program.out" 2>&1 || status=$?
    end=$(now)
    if [ "$status" -ne 0 ] || ! tr -d '\r' <"$PROGRAM_DIR/log.txt" | grep -qx Success ||
        [ -e "$DRIVE_POINT/$folder" ]; then
        echo "the run on V:\\$folder failed (exit $status):" >&2
        tr -d '\r' <"$PROGRAM_DIR/log.txt" >&2 || true
        exit 1
    fi
    elapsed "$start" "$end"
}

# The program's start-up and end: a run on an empty folder.
time_empty() {
    mkdir -p "$DRIVE_POINT/empty"
    sync
    time_vantrel empty
}

time_shred() {
    local start end
    start=$(now)
    find "$DRIVE_POINT/tree" -type f -exec shred -n0 -z -u {} +
    find "$DRIVE_POINT/tree" -depth -type d -exec rmdir {} +
    end=$(now)
    [ ! -e "$DRIVE_POINT/tree" ] || { echo "shred left the tree" >&2; exit 1; }
    elapsed "$start" "$end"
}

# A first run that nobody counts: Wine maps the new drives and warms up.
time_empty >/dev/null

run_times=() empty_times=() shred_times=()
# Rounds take turns, so a slow spell is spread over all; the best of each is
# kept, as other work on the machine only ever slows a run.
for round in $(seq 1 "$REPEAT"); do
    empty_times+=("$(time_empty)")
    make_tree
    run_times+=("$(time_vantrel tree)")
    make_tree
    shred_times+=("$(time_shred)")
done
run_time=$(best "${run_times[@]}")
empty_time=$(best "${empty_times[@]}")
shred_time=$(best "${shred_times[@]}")
net_time=$(awk -v a="$run_time" -v b="$empty_time" 'BEGIN { printf "%.3f", a - b }')
run_rate=$(per_second "$FILES" "$run_time")
net_rate=$(per_second "$FILES" "$net_time")
shred_rate=$(per_second "$FILES" "$shred_time")
ratio=$(awk -v v="$run_rate" -v d="$shred_rate" 'BEGIN { printf "%.2f", v / d }')
net_ratio=$(awk -v v="$net_rate" -v d="$shred_rate" 'BEGIN { if (v == "-") print "-"; else printf "%.2f", v / d }')

echo
echo "Shredding a tree of $FILES files of $FILE_BYTES bytes in $FOLDERS folders on an ext2 image," \
    "named in ${BENCH_NAMES:-ascii}, best of $REPEAT rounds."
echo "Vantrel: whole run of 'Vantrel.exe /s Bench /O0 /F2 /R2 V:\\tree' under Wine; net: less a run on an empty folder."
echo "shred: GNU 'shred -n0 -z -u' over the files, then rmdir of the folders."
printf '%10s %10s %10s %8s %8s %8s %8s %8s\n' Vantrel net shred V/shred net/shred run_s empty_s shred_s
printf '%10s %10s %10s %8s %8s %8s %8s %8s\n' "$run_rate" "$net_rate" "$shred_rate" "$ratio" "$net_ratio" \
    "$run_time" "$empty_time" "$shred_time"
echo "files per second; target: net/shred >= 1"
