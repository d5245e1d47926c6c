#!/usr/bin/env bash
# What the MFT fill adds to free-space shredding on NTFS. Two NTFS images of
# the same size, made with mkntfs and mounted through ntfs-3g as two drives
# of a Wine prefix of the benchmark's own, get the same small files (kept in
# their MFT records, so they take no cluster):
#
#   freed: the files are deleted, so their records are free and the job's
#          MFT fill overwrites every one of them;
#   kept:  the files stay, so there are next to no free records and the job
#          is the cluster fill alone (and its clean-up).
#
# Both drives have the same free clusters. Each round times a whole silent
# run "Vantrel.exe /s Bench /O0 X:\" on each; the difference is the MFT
# fill's time. A run leaves the records free again, so every round does the
# same work. Run from the top of the tree, as root:
#
#   bash bench/mft_fill.sh
#
# Knobs: BENCH_SIZE_MIB (256), BENCH_FILES (5000 small files), BENCH_REPEAT
# (3 rounds, the best of each is shown), BENCH_PROGRAM, BENCH_SKIP_BUILD=1.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"
source "$ROOT_DIR/tests/support/ntfs_image.sh"

SIZE_MIB=${BENCH_SIZE_MIB:-256}
FILES=${BENCH_FILES:-5000}
REPEAT=${BENCH_REPEAT:-3}

ntfs_usable || { echo "The benchmark needs root, mkntfs, ntfs-3g and /dev/fuse." >&2; exit 1; }
bench_build
PROGRAM=${BENCH_PROGRAM:-$BUILD_DIR/Vantrel.exe}
[ -f "$PROGRAM" ] || { echo "No program at $PROGRAM" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench-mft-fill
mkdir -p "$BENCH_DIR"
WORK=$(mktemp -d "$BENCH_DIR/run.XXXXXX")
PREFIX_MADE=0

cleanup() {
    local status=$? clean=0
    trap - EXIT
    # Only ever the benchmark's own wineserver.
    [ "$PREFIX_MADE" -eq 1 ] && wineserver -k 2>/dev/null || true
    ntfs_release_all || clean=1
    [ "$clean" -eq 0 ] && rm -rf "$WORK"
    stop_display
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

bench_prefix

PROGRAM_DIR=$WORK/program
mkdir -p "$PROGRAM_DIR"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
PROGRAM_LETTER=$(ntfs_free_letter)
ntfs_link_drive "$PROGRAM_LETTER" "$PROGRAM_DIR"

# make_drive NAME KEEP: an image with FILES small files, deleted unless KEEP
# is 1; sets LETTER to the drive letter it is linked as. Not in a subshell:
# the helper keeps its mounts and links for the clean-up.
make_drive() {
    local name=$1 keep=$2 point=$WORK/$1 n
    ntfs_make_image "$WORK/$name.img" "$SIZE_MIB"
    ntfs_mount "$WORK/$name.img" "$point"
    mkdir "$point/small"
    for n in $(seq 1 "$FILES"); do printf 'small file %06d %0300d' "$n" 0 >"$point/small/f$n.txt"; done
    [ "$keep" -eq 1 ] || rm -r "$point/small"
    sync
    LETTER=$(ntfs_free_letter)
    ntfs_link_drive "$LETTER" "$point"
}

make_drive freed 0
FREED=$LETTER
make_drive kept 1
KEPT=$LETTER
FREED_ROOT="$(printf '%s' "$FREED" | tr a-z A-Z):\\"
KEPT_ROOT="$(printf '%s' "$KEPT" | tr a-z A-Z):\\"
wineserver -k 2>/dev/null || true
wineserver -p

RECORDS=
# Seconds for one whole silent run on a drive root; sets RECORDS from the log.
time_run() {
    local root=$1 start end status=0 log
    rm -f "$PROGRAM_DIR/log.txt"
    start=$(now)
    # To a file: the services a first wine starts keep its output open.
    wine "$PROGRAM_DIR/Vantrel.exe" /s Bench /O0 "$root" >"$WORK/program.out" 2>&1 || status=$?
    end=$(now)
    log=$(tr -d '\r' <"$PROGRAM_DIR/log.txt" 2>/dev/null || true)
    if [ "$status" -ne 0 ] || [ "$(tail -n 1 <<<"$log")" != Success ]; then
        echo "the run on $root failed (exit $status): $log" >&2
        exit 1
    fi
    RECORDS=$(sed -n 's/^\([0-9][0-9]*\) free MFT records overwritten.*/\1/p' <<<"$log")
    RECORDS=${RECORDS:-0}
    elapsed "$start" "$end"
}

# A first run of each that nobody counts: Wine maps the drives and warms up.
time_run "$FREED_ROOT" >/dev/null
time_run "$KEPT_ROOT" >/dev/null

freed_times=() kept_times=()
for round in $(seq 1 "$REPEAT"); do
    freed_times+=("$(time_run "$FREED_ROOT")")
    time_run "$FREED_ROOT" >/dev/null
    freed_records=$RECORDS
    kept_times+=("$(time_run "$KEPT_ROOT")")
    time_run "$KEPT_ROOT" >/dev/null
    kept_records=$RECORDS
done
freed=$(best "${freed_times[@]}")
kept=$(best "${kept_times[@]}")
fill=$(awk -v a="$freed" -v b="$kept" 'BEGIN { printf "%.3f", a - b }')
rate=$(awk -v r="$freed_records" -v k="$kept_records" -v s="$fill" \
    'BEGIN { if (s <= 0) print "-"; else printf "%.0f", (r - k) / s }')
echo
echo "Free-space shredding of a ${SIZE_MIB} MiB NTFS image (ntfs-3g) with Quick Shred, best of $REPEAT rounds;"
echo "$FILES small files deleted on the first drive, kept on the second."
printf '%-8s %10s %10s\n' drive records seconds
printf '%-8s %10s %10s\n' freed "$freed_records" "$freed"
printf '%-8s %10s %10s\n' kept "$kept_records" "$kept"
echo "MFT fill: $fill s for $((freed_records - kept_records)) more records ($rate records/s);" \
    "the cluster fill alone (kept): $kept s."
