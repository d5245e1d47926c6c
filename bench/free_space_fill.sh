#!/usr/bin/env bash
# Throughput of free-space shredding: the real program fills and releases
# the free space of a tmpfs-backed Wine drive from its command line, next to
# dd filling the same drive to full in 64 KiB writes. Run from the top of the
# tree, as root (tmpfs mounts):
#
#   bash bench/free_space_fill.sh
#
# Knobs (environment): BENCH_SIZE_MIB (1024, the drive's size), BENCH_REPEAT
# (3 rounds, the best of each is shown), BENCH_METHODS ("0 1"), BENCH_PROGRAM
# (another Vantrel.exe to measure), BENCH_SKIP_BUILD=1.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"

SIZE_MIB=${BENCH_SIZE_MIB:-1024}
REPEAT=${BENCH_REPEAT:-3}
METHODS=${BENCH_METHODS:-0 1}
# Passes of the built-in algorithms; the filling counts as one more for all
# but Quick Shred, whose zeros are its one pass.
PASSES=(1 3 3 3 7)

[ "$(id -u)" -eq 0 ] || { echo "The benchmark mounts a tmpfs: run it as root." >&2; exit 1; }

bench_build
PROGRAM=${BENCH_PROGRAM:-$BUILD_DIR/Vantrel.exe}
[ -f "$PROGRAM" ] || { echo "No program at $PROGRAM" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench-free-space
mkdir -p "$BENCH_DIR"
WORK=$(mktemp -d "$BENCH_DIR/run.XXXXXX")
DRIVE_POINT=$WORK/drive
PROGRAM_DIR=$WORK/program
MOUNTED=0
PREFIX_MADE=0

cleanup() {
    local status=$? try
    trap - EXIT
    # Only ever the benchmark's own wineserver.
    [ "$PREFIX_MADE" -eq 1 ] && wineserver -k 2>/dev/null || true
    [ "$PREFIX_MADE" -eq 1 ] && rm -f "$WINEPREFIX/dosdevices/v:" "$WINEPREFIX/dosdevices/p:"
    if [ "$MOUNTED" -eq 1 ]; then
        for try in $(seq 1 40); do umount "$DRIVE_POINT" 2>/dev/null && break; sleep 0.25; done
        mountpoint -q "$DRIVE_POINT" && umount -l "$DRIVE_POINT"
    fi
    mountpoint -q "$DRIVE_POINT" || rm -rf "$WORK"
    stop_display
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# A prefix of the benchmark's own, so a test run's prefix is left alone.
bench_prefix

mkdir -p "$DRIVE_POINT" "$PROGRAM_DIR"
mount -t tmpfs -o size=${SIZE_MIB}m vantrel-bench-free "$DRIVE_POINT"
MOUNTED=1
ln -sfn "$DRIVE_POINT" "$WINEPREFIX/dosdevices/v:"
# The program's own folder as a drive, so that it can write its log there.
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
ln -sfn "$PROGRAM_DIR" "$WINEPREFIX/dosdevices/p:"

free_bytes() { df --output=avail -B1 "$DRIVE_POINT" | tail -n 1 | tr -d ' '; }

# Seconds for dd to fill the empty drive; the file is removed afterwards.
time_dd() {
    local start end
    start=$(now)
    dd if=/dev/zero of="$DRIVE_POINT/fill.bin" bs=64k conv=fsync status=none 2>/dev/null || true
    end=$(now)
    [ "$(free_bytes)" -eq 0 ] || { echo "dd did not fill the drive" >&2; exit 1; }
    rm -f "$DRIVE_POINT/fill.bin"
    elapsed "$start" "$end"
}

# Seconds for a whole silent run of the program on V:\ with one method.
time_vantrel() {
    local method=$1 start end status=0
    rm -f "$PROGRAM_DIR/log.txt"
    start=$(now)
    # To a file: the services a first wine starts keep its output open.
    wine "$PROGRAM_DIR/Vantrel.exe" /s Bench "/O$method" 'V:\' >"$WORK/program.out" 2>&1 || status=$?
    end=$(now)
    if [ "$status" -ne 0 ] || ! tr -d '\r' <"$PROGRAM_DIR/log.txt" | grep -qx Success ||
        [ -e "$DRIVE_POINT/SHREDTMP.\$\$\$" ]; then
        echo "the run with /O$method failed (exit $status):" >&2
        tr -d '\r' <"$PROGRAM_DIR/log.txt" >&2 || true
        exit 1
    fi
    elapsed "$start" "$end"
}

# What a run costs with next to nothing to fill: 1 MiB left free.
time_small_run() {
    local method=$1 seconds
    dd if=/dev/zero of="$DRIVE_POINT/filler.bin" bs=1M count=$((SIZE_MIB - 1)) status=none
    seconds=$(time_vantrel "$method")
    rm -f "$DRIVE_POINT/filler.bin"
    echo "$seconds"
}

BYTES=$(free_bytes)
# A first run that nobody counts: Wine maps the new drives and warms up.
time_small_run 0 >/dev/null

RESULTS=()
dd_times=()
for round in $(seq 1 "$REPEAT"); do dd_times+=("$(time_dd)"); done
dd_time=$(best "${dd_times[@]}")
dd_rate=$(rate "$BYTES" "$dd_time")
for method in $METHODS; do
    passes=${PASSES[$method]}
    [ "$method" -ne 0 ] && passes=$((passes + 1))
    written=$((BYTES * passes))
    run_times=() small_times=()
    # Rounds take turns with dd, so a slow spell is spread over all; the best
    # of each is kept, as other work on the machine only ever slows a run.
    for round in $(seq 1 "$REPEAT"); do
        small_times+=("$(time_small_run "$method")")
        run_times+=("$(time_vantrel "$method")")
        dd_times+=("$(time_dd)")
    done
    dd_time=$(best "${dd_times[@]}")
    dd_rate=$(rate "$BYTES" "$dd_time")
    run_time=$(best "${run_times[@]}")
    small_time=$(best "${small_times[@]}")
    net_time=$(awk -v a="$run_time" -v b="$small_time" 'BEGIN { printf "%.3f", a - b }')
    run_rate=$(rate "$written" "$run_time")
    net_rate=$(rate "$written" "$net_time")
    ratio=$(awk -v v="$run_rate" -v d="$dd_rate" 'BEGIN { printf "%.3f", v / d }')
    net_ratio=$(awk -v v="$net_rate" -v d="$dd_rate" 'BEGIN { if (v == "-") print "-"; else printf "%.3f", v / d }')
    line=$(printf '%-3s %6s %10s %10s %10s %8s %8s %8s %8s' "$method" "$passes" "$run_rate" "$net_rate" \
        "$dd_rate" "$ratio" "$net_ratio" "$run_time" "$small_time")
    echo "$line"
    RESULTS+=("$line")
done

echo
echo "Filling and releasing the free space of a ${SIZE_MIB} MiB tmpfs drive ($BYTES bytes free)," \
    "best of $REPEAT rounds."
echo "MB/s = 10^6 bytes written (free space x passes, the filling being one) per second."
echo "Vantrel: whole run of 'Vantrel.exe /s Bench /O<method> V:\\' under Wine (start, fill, passes, delete)."
echo "net: the same less a run with only 1 MiB free. dd: dd if=/dev/zero bs=64k conv=fsync until the drive is full."
printf '%-3s %6s %10s %10s %10s %8s %8s %8s %8s\n' alg passes Vantrel net dd V/dd net/dd run_s small_s
for line in "${RESULTS[@]}"; do echo "$line"; done
echo "Target: Vantrel/dd >= 0.9 for the filling (method 0)"
