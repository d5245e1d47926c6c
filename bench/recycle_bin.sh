#!/usr/bin/env bash
# Time of the Recycle Bin job for a bin of many small items, on the layout of
# Vista and later ("$Recycle.Bin\<SID>": an "$R" file and an "$I" record per
# item, both shredded and removed by the job) against the same job on the XP
# layout (the items overwritten in place; the index stays for the shell).
# The real program runs "recycle" from its command line on a loop-mounted
# ext2 image linked as a Wine drive; the prefix reports Windows 7 for the one
# and XP for the other. Run from the top of the tree, as root (loop mounts):
#
#   bash bench/recycle_bin.sh
#
# Knobs (environment): BENCH_ITEMS (1000), BENCH_FILE_BYTES (4096),
# BENCH_REPEAT (3 rounds, the best of each is shown), BENCH_PROGRAM (another
# Vantrel.exe to measure), BENCH_SKIP_BUILD=1.
# Exits 77 (skipped) when the loop mount is refused.
set -euo pipefail

source "$(dirname "$0")/bench_env.sh"

ITEMS=${BENCH_ITEMS:-1000}
FILE_BYTES=${BENCH_FILE_BYTES:-4096}
REPEAT=${BENCH_REPEAT:-3}

[ "$(id -u)" -eq 0 ] || { echo "The benchmark mounts an ext2 image: run it as root." >&2; exit 1; }

bench_build
PROGRAM=${BENCH_PROGRAM:-$BUILD_DIR/Vantrel.exe}
[ -f "$PROGRAM" ] || { echo "No program at $PROGRAM" >&2; exit 1; }

BENCH_DIR=$BUILD_DIR/bench-recycle-bin
bench_ext2_drive $((ITEMS * 4 + 1024))

# A prefix of the benchmark's own. The bin job visits every fixed drive and
# Wine's shell reports its one bin for each, so the image is the only fixed
# drive: C:, T: and the program's drive P: are reported as network drives.
bench_prefix
export XDG_DATA_HOME=$WORK/xdg
ln -sfn "$DRIVE_POINT" "$WINEPREFIX/dosdevices/v:"
cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
ln -sfn "$PROGRAM_DIR" "$WINEPREFIX/dosdevices/p:"
for letter in c t p; do
    wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d network /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Korvex\Vantrel' /v BinAlertDisabled /t REG_DWORD /d 1 /f >/dev/null 2>&1
SID=$(wine reg query HKU 2>/dev/null | tr -d '\r' | sed -n 's/^HKEY_USERS\\\(S-1-5-21-[0-9-]*\)$/\1/p' | head -n 1)
[ -n "$SID" ] || { echo "the prefix's user has no SID" >&2; exit 1; }
wineserver -k 2>/dev/null || true  # drive types are read when the prefix starts
wineserver -p

head -c "$FILE_BYTES" /dev/urandom >"$WORK/content"
# An "$I" record of Windows 10 (version 2) for a 4 KiB item.
python3 - "$WORK/record" <<'EOF'
import struct, sys
name = "C:\\Users\\bench\\Documents\\report.txt\0"
open(sys.argv[1], "wb").write(struct.pack("<qqqI", 2, 4096, 0, len(name)) + name.encode("utf-16-le"))
EOF

# The shell's bin (the XDG trash) holds one item, or the job finds nothing to do.
fill_trash() {
    rm -rf "$XDG_DATA_HOME"
    mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
    printf 'x\n' >"$XDG_DATA_HOME/Trash/files/x.txt"
    printf '[Trash Info]\nPath=/tmp/x.txt\nDeletionDate=2026-12-01T10:00:00\n' >"$XDG_DATA_HOME/Trash/info/x.txt.trashinfo"
}

# make_bin <layout> [items]: a fresh bin, on the disk before the clock starts.
make_bin() {
    local layout=$1 count=${2:-$ITEMS} n bin
    rm -rf "$DRIVE_POINT/\$Recycle.Bin" "$DRIVE_POINT/RECYCLED"
    if [ "$layout" = vista ]; then
        bin=$DRIVE_POINT/\$Recycle.Bin/$SID
        mkdir -p "$bin"
        for n in $(seq 1 "$count"); do
            cp "$WORK/content" "$bin/\$R$(printf '%06d' "$n").txt"
            cp "$WORK/record" "$bin/\$I$(printf '%06d' "$n").txt"
        done
    else
        # Ext2 is no NTFS to Wine, so XP's bin on it is RECYCLED.
        bin=$DRIVE_POINT/RECYCLED
        mkdir -p "$bin"
        for n in $(seq 1 "$count"); do cp "$WORK/content" "$bin/Dc$n.txt"; done
        head -c 20 /dev/zero >"$bin/INFO2"
    fi
    fill_trash
    sync
}

# Seconds for one silent "recycle" run under the given Windows version.
time_run() {
    local version=$1 start end status=0
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
    rm -f "$PROGRAM_DIR/log.txt"
    start=$(now)
    wine 'P:\Vantrel.exe' /s Bench /O0 recycle >"$WORK/program.out" 2>&1 || status=$?
    end=$(now)
    if [ "$status" -ne 0 ] || ! tr -d '\r' <"$PROGRAM_DIR/log.txt" | grep -qx Success; then
        echo "the $version run failed (exit $status):" >&2
        tr -d '\r' <"$PROGRAM_DIR/log.txt" >&2 || true
        exit 1
    fi
    elapsed "$start" "$end"
}

# A first run that nobody counts: Wine maps the new drives and warms up.
make_bin vista 1
time_run win7 >/dev/null

vista_times=() xp_times=() empty_times=()
for round in $(seq 1 "$REPEAT"); do
    make_bin vista 1
    empty_times+=("$(time_run win7)")
    make_bin vista
    vista_times+=("$(time_run win7)")
    [ -z "$(ls -A "$DRIVE_POINT/\$Recycle.Bin/$SID" | grep -vx desktop.ini)" ] ||
        { echo "the Vista run left items in the bin" >&2; exit 1; }
    make_bin xp
    xp_times+=("$(time_run winxp)")
done
vista=$(best "${vista_times[@]}")
xp=$(best "${xp_times[@]}")
empty=$(best "${empty_times[@]}")
per_second() { awk -v n="$1" -v s="$2" 'BEGIN { if (s <= 0) print "-"; else printf "%.0f", n / s }'; }
net() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }

echo
echo "The Recycle Bin job ('Vantrel.exe /s Bench /O0 recycle') for $ITEMS items of $FILE_BYTES bytes on an ext2" \
    "image, best of $REPEAT rounds; net: less a run on a bin of one item."
printf '%-34s %9s %9s %9s\n' layout "whole s" "net s" "items/s"
printf '%-34s %9s %9s %9s\n' "Vista and later (\$R + \$I, win7)" "$vista" "$(net "$vista" "$empty")" \
    "$(per_second "$ITEMS" "$(net "$vista" "$empty")")"
printf '%-34s %9s %9s %9s\n' "XP (RECYCLED, in place, winxp)" "$xp" "$(net "$xp" "$empty")" \
    "$(per_second "$ITEMS" "$(net "$xp" "$empty")")"
awk -v v="$vista" -v x="$xp" 'BEGIN { printf "Vista/XP whole-run ratio: %.2f\n", v / x }'
