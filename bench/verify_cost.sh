#!/usr/bin/env bash
# What reading the last pass back costs: one-pass shredding (Quick Shred) of
# one large file through shred_tool.exe under Wine, without and with the
# verification, rounds taking turns. Run from the top of the tree, as root
# (tmpfs and loop mounts):
#
#   bash bench/verify_cost.sh
#
# Knobs (environment): BENCH_SIZE_MIB (512), BENCH_REPEAT (3 rounds; best and
# median shown), BENCH_FILESYSTEMS ("ext2 tmpfs"), BENCH_SKIP_BUILD=1.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"

SIZE_MIB=${BENCH_SIZE_MIB:-512}
REPEAT=${BENCH_REPEAT:-3}
FILESYSTEMS=${BENCH_FILESYSTEMS:-ext2 tmpfs}

[ "$(id -u)" -eq 0 ] || { echo "The benchmark mounts a tmpfs and an ext2 image: run it as root." >&2; exit 1; }
bench_build
TOOL=$BUILD_DIR/tests/shred_tool.exe
[ -f "$TOOL" ] || { echo "No shred tool at $TOOL" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench
mkdir -p "$BENCH_DIR"
WORK=$(mktemp -d "$BENCH_DIR/verify.XXXXXX")
MOUNTS=()
LOOPS=()
PREFIX_MADE=0
cleanup() {
    local status=$? point loop
    trap - EXIT
    [ "$PREFIX_MADE" -eq 1 ] && wineserver -k 2>/dev/null || true
    for point in "${MOUNTS[@]}"; do umount "$point" 2>/dev/null || { sleep 2; umount -l "$point"; }; done
    for loop in "${LOOPS[@]}"; do losetup -d "$loop" 2>/dev/null || true; done
    rm -rf "$WORK"
    stop_display
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
bench_prefix

SOURCE=$WORK/source
mkdir -p "$SOURCE"
mount -t tmpfs -o size=$((SIZE_MIB + 16))m vantrel-verify-source "$SOURCE"
MOUNTS+=("$SOURCE")
head -c $((SIZE_MIB * 1024 * 1024)) /dev/urandom >"$SOURCE/content"

mount_filesystem() {
    FS_POINT=$WORK/$1
    mkdir -p "$FS_POINT"
    if [ "$1" = tmpfs ]; then
        mount -t tmpfs -o size=$((SIZE_MIB + 64))m vantrel-verify "$FS_POINT"
    else
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
    local keep=() item
    for item in "${MOUNTS[@]}"; do [ "$item" = "$FS_POINT" ] || keep+=("$item"); done
    MOUNTS=("${keep[@]}")
    for loop in "${LOOPS[@]}"; do losetup -d "$loop"; done
    LOOPS=()
    rm -f "$WORK/ext2.img"
}

# Seconds for one whole run of shred_tool on a fresh copy of the content
# (<verify or empty> [bytes]).
time_run() {
    local start end status=0
    head -c "${2:-$((SIZE_MIB * 1024 * 1024))}" "$SOURCE/content" >"$FS_POINT/bench.bin"
    sync
    start=$(now)
    wine "$TOOL" 0 noconfirm 'V:\bench.bin' $1 >"$WORK/tool.out" 2>&1 || status=$?
    end=$(now)
    if [ "$status" -ne 0 ] || [ -e "$FS_POINT/bench.bin" ] || grep -q '^LOG:' "$WORK/tool.out"; then
        echo "shred_tool failed (exit $status):" >&2
        tr -d '\r' <"$WORK/tool.out" >&2
        exit 1
    fi
    elapsed "$start" "$end"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

LINES=()
for kind in $FILESYSTEMS; do
    mount_filesystem "$kind"
    time_run "" >/dev/null  # Wine maps the new drive and warms up
    plain=() verified=() small=()
    for round in $(seq 1 "$REPEAT"); do
        plain+=("$(time_run "")")
        verified+=("$(time_run verify)")
        # Starting the program and its dialog, taken off for the net ratio.
        small+=("$(time_run verify 1)")
    done
    p=$(median "${plain[@]}") v=$(median "${verified[@]}") z=$(median "${small[@]}")
    LINES+=("$(printf '%-6s %9s %9s %9s %9s %7s %7s %7s' "$kind" "$(best "${plain[@]}")" "$p" \
        "$(best "${verified[@]}")" "$v" "$(awk -v a="$v" -v b="$p" 'BEGIN { printf "%.2f", a / b }')" "$z" \
        "$(awk -v a="$v" -v b="$p" -v z="$z" 'BEGIN { if (b - z <= 0) print "-"; else printf "%.2f", (a - z) / (b - z) }')")")
    echo "${LINES[-1]}   (rounds: ${plain[*]} | ${verified[*]} | ${small[*]})"
    unmount_filesystem
done
echo
echo "One pass (Quick Shred) over a ${SIZE_MIB} MiB file, $REPEAT rounds; seconds of a whole shred_tool run."
printf '%-6s %9s %9s %9s %9s %7s %7s %7s\n' fs plain_min plain_med verify_min verify_med ratio small net
printf '%s\n' "${LINES[@]}"
echo "ratio: median with / median without; net: the same less a run on a 1-byte file. Target: <= 2.1"
