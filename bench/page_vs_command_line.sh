#!/usr/bin/env bash
# Shred Now on the real pages against the command-line run for the same
# targets: one large file (Shred Files page against "/s ... file") and a tree
# of many small files (Shred Folders page with subfolders shredded and
# removed against "/s ... /F2 /R2 folder"). Both show the progress dialog.
# The page runs through page_tool.exe (a drop, Shred Now, Yes); the command
# line through the real Vantrel.exe. Run from the top of the tree:
#
#   bash bench/page_vs_command_line.sh
#
# Knobs (environment): BENCH_SIZE_MIB (512), BENCH_TREE_FILES (5000, in
# folders of 100), BENCH_FILE_BYTES (2048, each tree file), BENCH_REPEAT (3
# rounds, the best of each is shown), BENCH_SKIP_BUILD=1.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"

SIZE_MIB=${BENCH_SIZE_MIB:-512}
TREE_FILES=${BENCH_TREE_FILES:-5000}
FILE_BYTES=${BENCH_FILE_BYTES:-2048}
REPEAT=${BENCH_REPEAT:-3}

bench_build
PAGE_TOOL=$BUILD_DIR/tests/page_tool.exe
PROGRAM=$BUILD_DIR/Vantrel.exe
[ -f "$PAGE_TOOL" ] && [ -f "$PROGRAM" ] || { echo "Build page_tool.exe and Vantrel.exe first" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench-pages
PREFIX_MADE=0
cleanup() {
    local status=$?
    trap - EXIT
    # Only ever the benchmark's own wineserver.
    [ "$PREFIX_MADE" -eq 1 ] && wineserver -k 2>/dev/null || true
    stop_display
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# A prefix of the benchmark's own; its T: drive is a folder on the build's disk.
bench_prefix
DRIVE_DIR=$TEST_DRIVE_DIR
mkdir -p "$DRIVE_DIR/program" "$BENCH_DIR/templates"
cp "$PROGRAM" "$DRIVE_DIR/program/Vantrel.exe"
KEY='HKCU\software\Korvex\Vantrel'
wine reg add "$KEY" /v Method /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$KEY" /v Folder /t REG_DWORD /d 2 /f >/dev/null 2>&1
wine reg add "$KEY" /v Remove /t REG_DWORD /d 2 /f >/dev/null 2>&1

# Templates, copied afresh before every run (outside the timing).
BIG=$BENCH_DIR/templates/big.bin
TREE=$BENCH_DIR/templates/tree
[ "$(stat -c %s "$BIG" 2>/dev/null || echo 0)" -eq $((SIZE_MIB * 1048576)) ] ||
    head -c $((SIZE_MIB * 1048576)) /dev/urandom >"$BIG"
rm -rf "$TREE"
perl -e 'my ($root, $count, $bytes) = @ARGV; my $data = "x" x $bytes;
         for my $i (0 .. $count - 1) {
             my $dir = sprintf "%s/d%03d", $root, int($i / 100);
             mkdir $dir unless -d $dir;
             open my $f, ">", sprintf("%s/f%05d.txt", $dir, $i) or die; print $f $data; close $f; }' \
    "$(mkdir -p "$TREE" && echo "$TREE")" "$TREE_FILES" "$FILE_BYTES"


stage() {
    rm -rf "$DRIVE_DIR/work"
    mkdir -p "$DRIVE_DIR/work"
    if [ "$1" = file ]; then cp "$BIG" "$DRIVE_DIR/work/big.bin"; else cp -r "$TREE" "$DRIVE_DIR/work/tree"; fi
    sync
}

# run <page|cli> <file|tree>: prints the seconds taken; fails when anything is left.
run() {
    local how=$1 what=$2 start end target
    stage "$what"
    if [ "$what" = file ]; then target='T:\work\big.bin'; else target='T:\work\tree'; fi
    start=$(now)
    if [ "$how" = page ]; then
        if [ "$what" = file ]; then kind=files; else kind=folders; fi
        wine "$PAGE_TOOL" "$kind" "$target" >"$BENCH_DIR/run.out" 2>&1
    elif [ "$what" = file ]; then
        wine 'T:\program\Vantrel.exe' /s Bench /O0 "$target" >"$BENCH_DIR/run.out" 2>&1
    else
        wine 'T:\program\Vantrel.exe' /s Bench /O0 /F2 /R2 "$target" >"$BENCH_DIR/run.out" 2>&1
    fi
    end=$(now)
    local left
    left=$(find "$DRIVE_DIR/work" -mindepth 1 | head -n 3)
    [ -z "$left" ] || { echo "$how $what left: $left" >&2; exit 1; }
    elapsed "$start" "$end"
}

printf '%-32s %10s %10s %8s\n' target page_s cli_s page/cli
for what in file tree; do
    pages=() clis=()
    for round in $(seq 1 "$REPEAT"); do
        pages+=("$(run page "$what")")
        clis+=("$(run cli "$what")")
    done
    page=$(best "${pages[@]}")
    cli=$(best "${clis[@]}")
    if [ "$what" = file ]; then label="one file of $SIZE_MIB MiB"; else label="$TREE_FILES files of $FILE_BYTES bytes"; fi
    printf '%-32s %10s %10s %8s\n' "$label" "$page" "$cli" "$(awk -v p="$page" -v c="$cli" 'BEGIN { printf "%.2f", p / c }')"
done
rm -rf "$DRIVE_DIR/work"
