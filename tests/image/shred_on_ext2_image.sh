#!/usr/bin/env bash
# Shreds a file on a real ext2 file system with every built-in algorithm and
# then reads the raw image: the data must be gone from the disk, not only from
# the directory. Then the real program shreds one with a stored algorithm from
# its command line. Last, fills a file system to the last byte and checks that
# an overwrite that cannot be written leaves the file where it was.
#
#   shred_on_ext2_image.sh <path of shred_tool.exe> <path of Vantrel.exe>
#
# Needs root (loop devices, mount), a Wine prefix in WINEPREFIX and a DISPLAY
# for the progress dialog. Exit 77 (skipped) when any of that is missing.
# Only drives this script mounts itself are ever shredded on.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
note() { echo "image_promise: $*"; }

[ $# -eq 2 ] || { echo "usage: $0 <path of shred_tool.exe> <path of Vantrel.exe>" >&2; exit 2; }
TOOL=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$TOOL" ] || fail "no shred tool at $TOOL"
PROGRAM=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
[ -f "$PROGRAM" ] || fail "no program at $PROGRAM"
STORED_KEY='HKEY_CURRENT_USER\Software\Vantrel\Algorithms\Image Stripes'
STORED_ADDED=
PROGRAM_DIR=

[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog (run through scripts/test.sh)"
for command in wine mkfs.ext2 debugfs losetup mount umount truncate cmp od split; do
    command -v "$command" >/dev/null || skip "$command is not installed"
done
[ "$(id -u)" -eq 0 ] || skip "loop devices and mounts need root; running as $(id -un)"

BLOCK=4096
# A few hundred KiB, neither a multiple of the 64 KiB write block nor of a
# file-system block, so the short last write and a partly used block are both met.
SIZE=300014

WORK=
LOOP=
DRIVE_LINK=
MOUNTS=()
LOOPS=()

# Wine can hold a file for a moment after its process has gone.
unmount() {
    local point=$1 try
    for try in $(seq 1 40); do
        umount "$point" 2>/dev/null && return 0
        sleep 0.25
    done
    echo "image_promise: $point still busy, detaching it lazily" >&2
    umount -l "$point"
}

forget_mount() {
    local keep=() item
    for item in "${MOUNTS[@]}"; do [ "$item" = "$1" ] || keep+=("$item"); done
    MOUNTS=("${keep[@]}")
}

forget_loop() {
    local keep=() item
    for item in "${LOOPS[@]}"; do [ "$item" = "$1" ] || keep+=("$item"); done
    LOOPS=("${keep[@]}")
}

cleanup() {
    local status=$? item clean=1
    trap - EXIT
    # Every step of the clean-up is tried, whatever failed before.
    set +e
    [ -n "$DRIVE_LINK" ] && rm -f "$DRIVE_LINK"
    [ -n "$STORED_ADDED" ] && wine reg delete "$STORED_KEY" /f >/dev/null 2>&1
    [ -n "$PROGRAM_DIR" ] && rm -rf "$PROGRAM_DIR"
    for item in "${MOUNTS[@]}"; do unmount "$item" || clean=0; done
    for item in "${LOOPS[@]}"; do losetup -d "$item" 2>/dev/null || clean=0; done
    # Never remove the folder while something may still be mounted inside it.
    if [ -n "$WORK" ] && [ "$clean" -eq 1 ]; then
        rm -rf "$WORK"
    elif [ -n "$WORK" ]; then
        echo "image_promise: left $WORK behind, something is still mounted there" >&2
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

WORK=$(mktemp -d "$(dirname "$TOOL")/image_promise.XXXXXX")

# A drive letter nobody else in this prefix uses.
LETTER=
for candidate in u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
        LETTER=$candidate
        break
    fi
done
[ -n "$LETTER" ] || fail "drive letters u: to y: are all taken in $WINEPREFIX"
DRIVE_LINK=$WINEPREFIX/dosdevices/$LETTER:
DRIVE=$(printf '%s' "$LETTER" | tr a-z A-Z):

attach_drive() { ln -sfn "$1" "$DRIVE_LINK"; }
detach_drive() { rm -f "$DRIVE_LINK"; }

# Makes an ext2 image, attaches and mounts it; the loop device is left in LOOP.
mount_ext2() {
    local image=$1 point=$2 megabytes=$3
    truncate -s "${megabytes}M" "$image"
    # -m 0: no blocks kept back for root, so a full file system is full for us too.
    mkfs.ext2 -q -F -b "$BLOCK" -m 0 "$image" >/dev/null
    LOOP=$(losetup --find --show "$image" 2>/dev/null) || skip "could not attach a loop device to $image"
    LOOPS+=("$LOOP")
    mkdir -p "$point"
    mount -t ext2 "$LOOP" "$point" 2>/dev/null || skip "mounting an ext2 image is not permitted here"
    MOUNTS+=("$point")
}

release_ext2() {
    local point=$1 loop=$2
    unmount "$point"
    forget_mount "$point"
    losetup -d "$loop"
    forget_loop "$loop"
}

# Runs the tool on one Windows path; sets OUTPUT and STATUS. The output goes
# to a file, not a pipe: a wine that starts the prefix's services hands them
# its output, and a pipe would then never see its end. Lines end in CR LF
# under Wine; the CR is dropped.
run_tool() {
    STATUS=0
    wine "$TOOL" "$1" noconfirm "$2" >"$WORK/tool.out" 2>&1 || STATUS=$?
    OUTPUT=$(tr -d '\r' <"$WORK/tool.out")
    printf '%s\n' "$OUTPUT" | sed 's/^/    | /'
}

# The block list of a file as "logical physical count" runs, from debugfs.
# Indirect blocks are left out: they hold block numbers, not the file's data.
block_runs() {
    local device=$1 name=$2 listing item first last start end
    listing=$(debugfs -R "stat /$name" "$device" 2>/dev/null |
        sed -n '/^BLOCKS:/,/^TOTAL:/p' | sed '1d;$d' | tr -d '\n')
    [ -n "$listing" ] || return 1
    local IFS=,
    for item in $listing; do
        item=${item// /}
        case $item in
        \(IND\)* | \(DIND\)* | \(TIND\)*) continue ;;
        esac
        if [[ $item =~ ^\(([0-9]+)(-([0-9]+))?\):([0-9]+)(-([0-9]+))?$ ]]; then
            first=${BASH_REMATCH[1]}
            last=${BASH_REMATCH[3]:-$first}
            start=${BASH_REMATCH[4]}
            end=${BASH_REMATCH[6]:-$start}
            [ $((last - first)) -eq $((end - start)) ] || return 1
            echo "$first $start $((last - first + 1))"
        else
            return 1
        fi
    done
}

# Copies the bytes that the runs point at, in file order, out of the raw image.
read_runs() {
    local image=$1 runs=$2 out=$3 logical physical count
    : >"$out"
    while read -r logical physical count; do
        dd if="$image" bs="$BLOCK" skip="$physical" count="$count" status=none >>"$out"
    done <<<"$runs"
    truncate -s "$SIZE" "$out"
}

marker_count() {
    LC_ALL=C grep -c -a -F -e "$1" "$2" || true
}

# A file of SIZE bytes that repeats one pattern, given as hex digits.
pattern_file() {
    local hex=$1 out=$2 unit
    unit=$(printf '%s' "$hex" | sed 's/../\\x&/g')
    printf "$unit" >"$out.unit"
    while [ "$(stat -c %s "$out.unit")" -lt "$SIZE" ]; do
        cat "$out.unit" "$out.unit" >"$out.twice"
        mv "$out.twice" "$out.unit"
    done
    head -c "$SIZE" "$out.unit" >"$out"
    rm -f "$out.unit"
}

distinct_bytes() {
    od -An -v -tx1 "$1" | tr -s ' ' '\n' | grep -v '^$' | sort -u | wc -l
}

# A file of SIZE bytes made of 64 KiB write blocks that each start the
# pattern afresh, as the overwrite writes them.
block_pattern_file() {
    local hex=$1 out=$2 saved=$SIZE
    SIZE=65536 pattern_file "$hex" "$out.block"
    SIZE=$saved
    : >"$out"
    while [ "$(stat -c %s "$out")" -lt "$SIZE" ]; do cat "$out.block" >>"$out"; done
    truncate -s "$SIZE" "$out"
    rm -f "$out.block"
}

# The last pass of each algorithm, as hex for the pattern ones, "random" else;
# the earlier pattern passes that the random last pass must not look like.
LAST_PASS=(00 random random random aa)
EARLIER_PATTERNS=("" "" "01 27ffffff" "01 7fffffff" "")

check_random_blocks() {
    local after=$1 original=$2 algorithm=$3 folder=$4 chunk name distinct pattern
    mkdir -p "$folder/after" "$folder/before" "$folder/patterns"
    split -b "$BLOCK" -a 4 -d "$after" "$folder/after/"
    split -b "$BLOCK" -a 4 -d "$original" "$folder/before/"
    for pattern in ${EARLIER_PATTERNS[$algorithm]}; do
        pattern_file "$pattern" "$folder/patterns/$pattern"
    done
    pattern_file 00 "$folder/patterns/zero"
    for chunk in "$folder/after/"*; do
        name=$(basename "$chunk")
        local length
        length=$(stat -c %s "$chunk")
        cmp -s "$chunk" "$folder/before/$name" &&
            fail "algorithm $algorithm: block $name still holds the original data"
        cmp -s "$chunk" <(head -c "$length" "$folder/patterns/zero") &&
            fail "algorithm $algorithm: block $name is all zero, not random"
        for pattern in ${EARLIER_PATTERNS[$algorithm]}; do
            cmp -s "$chunk" <(head -c "$length" "$folder/patterns/$pattern") &&
                fail "algorithm $algorithm: block $name holds the earlier pass $pattern, not the random last one"
        done
        [ "$(marker_count "$MARKER" "$chunk")" -eq 0 ] ||
            fail "algorithm $algorithm: block $name still holds the marker"
        # Random bytes in a block of this size use nearly all 256 values.
        distinct=$(distinct_bytes "$chunk")
        [ "$distinct" -ge 200 ] ||
            fail "algorithm $algorithm: block $name has only $distinct distinct byte values, not random"
    done
}

# shred_on_image <algorithm> [program]: with "program", the real Vantrel.exe
# shreds the file in a silent run with "/O<algorithm>".
shred_on_image() {
    local algorithm=$1 runner=${2:-tool}
    local folder=$WORK/algorithm$algorithm
    local image=$folder/disk.img point=$folder/mnt name=secret$algorithm.dat loop runs blocks count
    mkdir -p "$folder"
    mount_ext2 "$image" "$point" 8
    loop=$LOOP

    MARKER="vantrel-image-marker-$algorithm-$$-$RANDOM$RANDOM-$(date +%s%N)|"
    local text=$MARKER
    while [ ${#text} -lt "$SIZE" ]; do text=$text$text; done
    printf '%s' "${text:0:$SIZE}" >"$folder/original.bin"
    cp "$folder/original.bin" "$point/$name"
    sync

    runs=$(block_runs "$loop" "$name") || fail "algorithm $algorithm: could not read the block list of $name"
    blocks=$(awk '{ total += $3 } END { print total }' <<<"$runs")
    [ "$blocks" -eq $(((SIZE + BLOCK - 1) / BLOCK)) ] ||
        fail "algorithm $algorithm: $name has $blocks data blocks, expected $(((SIZE + BLOCK - 1) / BLOCK))"
    # The block list must really lead to the data, or the checks below prove nothing.
    read_runs "$image" "$runs" "$folder/before.bin"
    cmp -s "$folder/before.bin" "$folder/original.bin" ||
        fail "algorithm $algorithm: the blocks debugfs names do not hold the file"
    count=$(marker_count "$MARKER" "$image")
    [ "$count" -gt 0 ] || fail "algorithm $algorithm: the marker is not in the raw image before shredding"

    attach_drive "$point"
    note "algorithm $algorithm: shredding $DRIVE\\$name ($SIZE bytes in $blocks blocks)"
    if [ "$runner" = program ]; then
        run_program "$algorithm" "$DRIVE\\$name"
    else
        run_tool "$algorithm" "$DRIVE\\$name"
    fi
    detach_drive
    [ "$STATUS" -eq 0 ] || fail "algorithm $algorithm: $runner exited with $STATUS"
    if [ "$runner" = program ]; then
        [ "$OUTPUT" = "$(printf '\xef\xbb\xbfTask Name: Image\nSuccess\n')" ] ||
            fail "algorithm $algorithm: the program's log is not a success: $OUTPUT"
    else
        grep -qx 'RESULT: 0' <<<"$OUTPUT" || fail "algorithm $algorithm: shred_tool did not report RESULT: 0"
    fi
    [ ! -e "$point/$name" ] || fail "algorithm $algorithm: $name is still there"
    local left
    left=$(ls -A "$point" | grep -vx 'lost+found' || true)
    [ -z "$left" ] || fail "algorithm $algorithm: left behind on the drive: $left"

    release_ext2 "$point" "$loop"

    count=$(marker_count "$MARKER" "$image")
    [ "$count" -eq 0 ] || fail "algorithm $algorithm: the marker is still in the raw image ($count lines)"

    read_runs "$image" "$runs" "$folder/after.bin"
    local last=${LAST_PASS[$algorithm]}
    if [ "$last" = random ]; then
        check_random_blocks "$folder/after.bin" "$folder/original.bin" "$algorithm" "$folder"
        note "algorithm $algorithm: marker gone; the file's blocks hold random bytes"
    else
        block_pattern_file "$last" "$folder/expected.bin"
        if ! cmp "$folder/after.bin" "$folder/expected.bin"; then
            fail "algorithm $algorithm: the file's blocks do not hold the last pass's 0x$last"
        fi
        note "algorithm $algorithm: marker gone; the file's blocks hold 0x$last"
    fi
    rm -rf "$folder"
}

# The real program in a folder of its own on the test drive, so its log
# lands there; started by its drive path, as the system starts it.
run_program() {
    local drive_dir=$WINEPREFIX/dosdevices/t:
    [ -d "$drive_dir" ] || skip "the prefix has no test drive T:"
    local name=image_program.$$
    PROGRAM_DIR=$drive_dir/$name
    mkdir -p "$PROGRAM_DIR"
    cp "$PROGRAM" "$PROGRAM_DIR/Vantrel.exe"
    rm -f "$PROGRAM_DIR/log.txt"
    STATUS=0
    wine "T:\\$name\\Vantrel.exe" /s Image "/O$1" "$2" >"$WORK/program.out" 2>&1 || STATUS=$?
    OUTPUT=$(tr -d '\r' <"$PROGRAM_DIR/log.txt" 2>/dev/null | sed '/^$/d' || true)
    printf '%s\n' "$OUTPUT" | sed 's/^/    | /'
    rm -rf "$PROGRAM_DIR"
}

# A stored algorithm of the user's, the only one, so it takes position 5:
# random data, then the three bytes 5A C3 0F.
store_algorithm() {
    local key='HKCU\Software\Vantrel\Algorithms\Image Stripes'
    STORED_ADDED=1
    put() { wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 || fail "could not store $2 of the test algorithm"; }
    put "$key" Description REG_SZ "Random, then stripes"
    put "$key" PassesCount REG_DWORD 2
    put "$key\Pass 0" write REG_SZ Random
    put "$key\Pass 1" write REG_SZ Pattern
    put "$key\Pass 1" "Pattern Length" REG_DWORD 3
    put "$key\Pass 1" "Byte 0" REG_DWORD 0x5a
    put "$key\Pass 1" "Byte 1" REG_DWORD 0xc3
    put "$key\Pass 1" "Byte 2" REG_DWORD 0x0f
    LAST_PASS[5]=5ac30f
}

# Fills the mounted file system at the given point to its last byte.
fill_up() {
    local point=$1
    dd if=/dev/zero of="$point/filler" bs=64k status=none 2>/dev/null || true
    dd if=/dev/zero of="$point/filler" bs=4k oflag=append conv=notrunc status=none 2>/dev/null || true
    # Whatever is left of the filler's last block.
    while printf x 2>/dev/null >>"$point/filler"; do :; done
    local avail
    avail=$(df --output=avail -B1 "$point" | tail -n 1 | tr -d ' ')
    [ "$avail" -eq 0 ] || fail "could not fill $point: $avail bytes still free"
}

write_failure_on_full() {
    local kind=$1
    local folder=$WORK/full-$kind point=$WORK/full-$kind/mnt name=holes.dat loop=
    mkdir -p "$point"
    if [ "$kind" = tmpfs ]; then
        mount -t tmpfs -o size=1m,mode=0755 vantrel-full "$point" 2>/dev/null ||
            skip "mounting a tmpfs is not permitted here"
        MOUNTS+=("$point")
    else
        mount_ext2 "$folder/disk.img" "$point" 2
        loop=$LOOP
    fi
    # A file of holes first: none of its blocks exist, and none can be had later.
    truncate -s "$SIZE" "$point/$name"
    fill_up "$point"
    [ "$(stat -c %b "$point/$name")" -eq 0 ] || fail "$kind: $name is not sparse"

    attach_drive "$point"
    note "$kind: shredding $DRIVE\\$name on a full file system"
    run_tool 0 "$DRIVE\\$name"
    detach_drive
    [ "$STATUS" -eq 1 ] || fail "$kind: shred_tool exited with $STATUS, expected 1"
    grep -qF 'LOG: Write failed due to unexpected error.' <<<"$OUTPUT" ||
        fail "$kind: the write failure was not logged"
    grep -qE 'System error code: 0x [0-9A-Fa-f]{8}$' <<<"$OUTPUT" ||
        fail "$kind: the log does not give the system error code as 0x and eight hex digits"
    grep -qxF "File: $DRIVE\\$name" <<<"$OUTPUT" || fail "$kind: the write failure does not name the file"
    [ -e "$point/$name" ] || fail "$kind: $name is gone under its own name"
    [ "$(stat -c %s "$point/$name")" -eq "$SIZE" ] || fail "$kind: $name was cut"
    local others
    others=$(ls -A "$point" | grep -vx -e "$name" -e filler -e 'lost+found' || true)
    [ -z "$others" ] || fail "$kind: unexpected files on the drive: $others"
    note "$kind: write failure logged, $name left as it was"

    if [ -n "$loop" ]; then
        release_ext2 "$point" "$loop"
    else
        unmount "$point"
        forget_mount "$point"
    fi
    rm -rf "$folder"
}

note "using drive $DRIVE in $WINEPREFIX"
for algorithm in 0 1 2 3 4; do
    shred_on_image "$algorithm"
done
store_algorithm
shred_on_image 5 program
write_failure_on_full tmpfs
write_failure_on_full ext2
note "all checks passed"
