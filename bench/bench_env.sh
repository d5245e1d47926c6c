# Sourced by the benchmarks: the project's environment, the build (unless
# BENCH_SKIP_BUILD=1), a Wine prefix of the benchmark's own and the timing
# helpers. The caller sets BENCH_DIR before bench_prefix.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"

bench_build() {
    need_packages
    [ "${BENCH_SKIP_BUILD:-0}" = 1 ] || configure_and_build
}

# A prefix in BENCH_DIR, so a test run's prefix is left alone, with one
# wineserver for all runs: each run then costs what a started program costs.
bench_prefix() {
    BUILD_DIR=$BENCH_DIR make_test_prefix
    PREFIX_MADE=1
    start_display
    wineserver -p
}

# The work folder BENCH_DIR/run.* of one benchmark run and a 256 MiB ext2
# image with the given number of inodes, mounted at DRIVE_POINT; PROGRAM_DIR
# is for the program's copy. Every way out unmounts, detaches and removes it
# all, the drives V: and P: of the prefix and its wineserver with it.
bench_ext2_drive() {
    local inodes=$1
    mkdir -p "$BENCH_DIR"
    WORK=$(mktemp -d "$BENCH_DIR/run.XXXXXX")
    DRIVE_POINT=$WORK/drive
    PROGRAM_DIR=$WORK/program
    LOOP=
    MOUNTED=0
    PREFIX_MADE=0
    trap bench_ext2_cleanup EXIT
    trap 'exit 130' INT TERM HUP
    mkdir -p "$DRIVE_POINT" "$PROGRAM_DIR"
    truncate -s 256M "$WORK/ext2.img"
    mkfs.ext2 -q -F -b 4096 -N "$inodes" -m 0 "$WORK/ext2.img"
    LOOP=$(losetup --find --show "$WORK/ext2.img" 2>/dev/null) || { LOOP=; echo "SKIPPED: no loop device"; exit 77; }
    mount -t ext2 "$LOOP" "$DRIVE_POINT" 2>/dev/null || { echo "SKIPPED: mounting the image was refused"; exit 77; }
    MOUNTED=1
}

bench_ext2_cleanup() {
    local status=$? try
    trap - EXIT
    # Only ever the benchmark's own wineserver.
    [ "$PREFIX_MADE" -eq 1 ] && wineserver -k 2>/dev/null || true
    [ "$PREFIX_MADE" -eq 1 ] && rm -f "$WINEPREFIX/dosdevices/v:" "$WINEPREFIX/dosdevices/p:"
    if [ "$MOUNTED" -eq 1 ]; then
        for try in $(seq 1 40); do umount "$DRIVE_POINT" 2>/dev/null && break; sleep 0.25; done
        mountpoint -q "$DRIVE_POINT" && umount -l "$DRIVE_POINT"
    fi
    [ -n "$LOOP" ] && losetup -d "$LOOP" 2>/dev/null
    mountpoint -q "$DRIVE_POINT" 2>/dev/null || rm -rf "$WORK"
    stop_display
    exit "$status"
}

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
# Megabytes (10^6 bytes) per second.
rate() { awk -v bytes="$1" -v s="$2" 'BEGIN { if (s <= 0) print "-"; else printf "%.1f", bytes / 1e6 / s }'; }
