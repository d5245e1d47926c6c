#!/usr/bin/env bash
# Throughput of shredding one large file with each built-in algorithm, through
# shred_tool.exe under Wine, next to what the same writes cost without Vantrel:
# dd writing each pass's bytes in 64 KiB blocks with an fsync at the end of the
# pass, and GNU shred with the same number of passes. Run from the top of the
# tree, as root (tmpfs and loop mounts):
#
#   bash bench/shred_throughput.sh
#
# Knobs (environment): BENCH_SIZE_MIB (256), BENCH_REPEAT (3 rounds, the best
# of each is shown), BENCH_ALGORITHMS ("0 1 2 3 4"),
# BENCH_FILESYSTEMS ("tmpfs ext2"), BENCH_TOOL (another shred_tool.exe to
# measure, e.g. from an experimental build), BENCH_SKIP_BUILD=1.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"

SIZE_MIB=${BENCH_SIZE_MIB:-256}
REPEAT=${BENCH_REPEAT:-3}
ALGORITHMS=${BENCH_ALGORITHMS:-0 1 2 3 4}
FILESYSTEMS=${BENCH_FILESYSTEMS:-tmpfs ext2}
SIZE=$((SIZE_MIB * 1024 * 1024))
UNIT=65536
BLOCKS=$((SIZE / UNIT))

# The passes of the built-in algorithms, as the sources dd copies from:
# "zero" is /dev/zero, "random" one 64 KiB random block repeated, "complement"
# its complement, and hex digits a repeated pattern. Vantrel too repeats one
# 64 KiB buffer per pass.
PASSES=(
    "zero"
    "random complement random"
    "01 27ffffff random"
    "01 7fffffff random"
    "zero ff zero ff zero ff aa"
)

[ "$(id -u)" -eq 0 ] || { echo "The benchmark mounts a tmpfs and an ext2 image: run it as root." >&2; exit 1; }

bench_build
TOOL=${BENCH_TOOL:-$BUILD_DIR/tests/shred_tool.exe}
[ -f "$TOOL" ] || { echo "No shred tool at $TOOL" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench
mkdir -p "$BENCH_DIR"
WORK=$(mktemp -d "$BENCH_DIR/run.XXXXXX")
MOUNTS=()
LOOPS=()
PREFIX_MADE=0

cleanup() {
    local status=$? point loop clean=1
    trap - EXIT
    # Only ever the benchmark's own wineserver.
    [ "$PREFIX_MADE" -eq 1 ] && wineserver -k 2>/dev/null || true
    for point in "${MOUNTS[@]}"; do
        umount "$point" 2>/dev/null || { sleep 2; umount "$point"; } || umount -l "$point" || clean=0
    done
    for loop in "${LOOPS[@]}"; do losetup -d "$loop" 2>/dev/null || clean=0; done
    [ "$clean" -eq 1 ] && rm -rf "$WORK"
    stop_display
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# A prefix of the benchmark's own, so a test run's prefix is left alone.
bench_prefix


# Sources for dd, each SIZE bytes, on a tmpfs of their own.
SOURCES=$WORK/sources
mkdir -p "$SOURCES"
mount -t tmpfs -o size=$((SIZE_MIB * 8 + 64))m vantrel-bench-sources "$SOURCES"
MOUNTS+=("$SOURCES")

expand_unit() {
    perl -e 'open my $f, "<", $ARGV[0] or die; binmode $f; local $/; my $u = <$f>;
             binmode STDOUT; print $u for 1 .. $ARGV[1]' "$1" "$BLOCKS" >"$2"
}

make_sources() {
    local hex
    head -c "$UNIT" /dev/urandom >"$SOURCES/random.unit"
    perl -0777 -pe '$_ = ~$_' "$SOURCES/random.unit" >"$SOURCES/complement.unit"
    for hex in ff aa 01 27ffffff 7fffffff; do
        perl -e 'binmode STDOUT; print pack("H*", $ARGV[0]) x ($ARGV[1] / (length($ARGV[0]) / 2))' \
            "$hex" "$UNIT" >"$SOURCES/$hex.unit"
    done
    for hex in random complement ff aa 01 27ffffff 7fffffff; do
        expand_unit "$SOURCES/$hex.unit" "$SOURCES/$hex"
    done
    # What the file holds before each run.
    head -c "$SIZE" /dev/urandom >"$SOURCES/content"
}

source_of() {
    if [ "$1" = zero ]; then echo /dev/zero; else echo "$SOURCES/$1"; fi
}

# Mounts the file system under test, links it as V: and sets FS_POINT.
mount_filesystem() {
    local kind=$1
    FS_POINT=$WORK/$kind
    mkdir -p "$FS_POINT"
    if [ "$kind" = tmpfs ]; then
        mount -t tmpfs -o size=$((SIZE_MIB + 64))m vantrel-bench "$FS_POINT"
    else
        # Room for the file, its indirect blocks and the file system's own.
        truncate -s $((SIZE_MIB + SIZE_MIB / 4 + 32))M "$WORK/ext2.img"
        mkfs.ext2 -q -F -b 4096 -m 0 "$WORK/ext2.img"
        local loop
        loop=$(losetup --find --show "$WORK/ext2.img")
        LOOPS+=("$loop")
        mount -t ext2 "$loop" "$FS_POINT"
    fi
    MOUNTS+=("$FS_POINT")
    ln -sfn "$FS_POINT" "$WINEPREFIX/dosdevices/v:"
}

unmount_filesystem() {
    rm -f "$WINEPREFIX/dosdevices/v:"
    local try
    for try in $(seq 1 40); do umount "$FS_POINT" 2>/dev/null && break; sleep 0.25; done
    mountpoint -q "$FS_POINT" && umount "$FS_POINT"
    local keep=() item
    for item in "${MOUNTS[@]}"; do [ "$item" = "$FS_POINT" ] || keep+=("$item"); done
    MOUNTS=("${keep[@]}")
    if [ ${#LOOPS[@]} -gt 0 ]; then
        for item in "${LOOPS[@]}"; do losetup -d "$item"; done
        LOOPS=()
    fi
    rm -f "$WORK/ext2.img"
}

fresh_file() {
    local bytes=$1
    rm -f "$FS_POINT/bench.bin"
    head -c "$bytes" "$SOURCES/content" >"$FS_POINT/bench.bin"
    sync
}

# Seconds for Vantrel to shred the file on V: with one algorithm, whole run.
time_vantrel() {
    local algorithm=$1 start end status=0
    start=$(now)
    # To a file: the services a first wine starts keep its output open.
    wine "$TOOL" "$algorithm" noconfirm 'V:\bench.bin' >"$WORK/tool.out" 2>&1 || status=$?
    end=$(now)
    if [ "$status" -ne 0 ] || [ -e "$FS_POINT/bench.bin" ]; then
        echo "shred_tool failed (exit $status):" >&2
        tr -d '\r' <"$WORK/tool.out" >&2
        exit 1
    fi
    elapsed "$start" "$end"
}

time_dd() {
    local algorithm=$1 pass start end
    start=$(now)
    for pass in ${PASSES[$algorithm]}; do
        dd if="$(source_of "$pass")" of="$FS_POINT/bench.bin" bs="$UNIT" count="$BLOCKS" \
            conv=notrunc,fsync status=none
    done
    end=$(now)
    elapsed "$start" "$end"
}

time_gnu_shred() {
    local passes=$1 start end
    start=$(now)
    shred -n "$passes" -x "$FS_POINT/bench.bin"
    end=$(now)
    elapsed "$start" "$end"
}

echo "Preparing ${SIZE_MIB} MiB sources..."
make_sources

RESULTS=()
for kind in $FILESYSTEMS; do
    mount_filesystem "$kind"
    # A first run that nobody counts: Wine maps the new drive and warms up.
    fresh_file 1
    time_vantrel 0 >/dev/null
    for algorithm in $ALGORITHMS; do
        read -r -a passes <<<"${PASSES[$algorithm]}"
        count=${#passes[@]}
        bytes=$((SIZE * count))

        dd_times=() shred_times=() small_times=() vantrel_times=()
        # Rounds take turns, so a slow spell of the disk is spread over all; the
        # best of each is kept, as other work on the machine only ever slows a run.
        for round in $(seq 1 "$REPEAT"); do
            fresh_file "$SIZE"
            dd_times+=("$(time_dd "$algorithm")")
            fresh_file "$SIZE"
            shred_times+=("$(time_gnu_shred "$count")")
            # What a run costs that has next to nothing to write: starting the
            # program, the dialog, the per-pass work. Taken off for the net figure.
            fresh_file 1
            small_times+=("$(time_vantrel "$algorithm")")
            fresh_file "$SIZE"
            vantrel_times+=("$(time_vantrel "$algorithm")")
        done
        dd_time=$(best "${dd_times[@]}")
        shred_time=$(best "${shred_times[@]}")
        small_time=$(best "${small_times[@]}")
        vantrel_time=$(best "${vantrel_times[@]}")
        net_time=$(awk -v a="$vantrel_time" -v b="$small_time" 'BEGIN { printf "%.3f", a - b }')

        vantrel_rate=$(rate "$bytes" "$vantrel_time")
        net_rate=$(rate "$bytes" "$net_time")
        dd_rate=$(rate "$bytes" "$dd_time")
        shred_rate=$(rate "$bytes" "$shred_time")
        ratio=$(awk -v v="$vantrel_time" -v d="$dd_time" 'BEGIN { printf "%.3f", d / v }')
        net_ratio=$(awk -v v="$net_time" -v d="$dd_time" 'BEGIN { if (v <= 0) print "-"; else printf "%.3f", d / v }')
        [ "$net_rate" = - ] && net_ratio=-
        line=$(printf '%-3s %-6s %6s %10s %10s %10s %10s %8s %8s %8s %8s' \
            "$algorithm" "$kind" "$count" "$vantrel_rate" "$net_rate" "$dd_rate" "$shred_rate" \
            "$ratio" "$net_ratio" "$vantrel_time" "$small_time")
        echo "$line"
        RESULTS+=("$line")
    done
    rm -f "$FS_POINT/bench.bin"
    unmount_filesystem
done

echo
echo "Shredding a ${SIZE_MIB} MiB file, best of $REPEAT rounds; MB/s = 10^6 bytes written (size x passes) per second."
echo "Vantrel: whole run of shred_tool.exe under Wine (start, passes, cut, rename, delete)."
echo "net: the same less a run on a 1-byte file with the same algorithm."
echo "dd: one dd per pass, bs=64K conv=notrunc,fsync. shred: GNU shred -n <passes> -x (no -z, no -u)."
printf '%-3s %-6s %6s %10s %10s %10s %10s %8s %8s %8s %8s\n' \
    alg fs passes Vantrel net dd shred V/dd net/dd run_s small_s
for line in "${RESULTS[@]}"; do echo "$line"; done
echo "Target: Vantrel/dd >= 0.9"
