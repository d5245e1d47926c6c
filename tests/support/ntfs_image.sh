# Sourced by the tests and benchmarks that work on NTFS images: makes an
# image with mkntfs, mounts it through ntfs-3g, links a mount as a Wine
# drive and reads the raw image afterwards. The caller sets WORK (a folder
# of its own) and has a trap that calls ntfs_release_all.
#
#   ntfs_usable                  0 when mkntfs, ntfs-3g and root are there
#   ntfs_make_image IMAGE MIB    a fresh NTFS file system in IMAGE
#   ntfs_mount IMAGE POINT       mounted with Windows-style streams
#   ntfs_unmount POINT           waits for Wine to let go, then unmounts
#   ntfs_free_letter             a drive letter nobody in WINEPREFIX uses
#   ntfs_link_drive LETTER DIR   DIR as that fixed drive of the prefix
#   raw_count IMAGE TEXT         how often TEXT is in IMAGE, as ASCII and
#                                as UTF-16LE (NTFS keeps names in UTF-16LE)
#   raw_live_count IMAGE TEXT    the same, counting only what lies in use:
#                                in an MFT record marked in use, or in a
#                                cluster that belongs to a file; what lies
#                                in free records and free clusters is the
#                                free-space job's to overwrite
#   ntfs_release_all             unlinks, unmounts; 1 if something stays

NTFS_MOUNTS=()
NTFS_LINKS=()

ntfs_usable() {
    command -v mkntfs >/dev/null && command -v ntfs-3g >/dev/null || return 1
    [ "$(id -u)" -eq 0 ] && [ -e /dev/fuse ]
}

ntfs_make_image() {
    local image=$1 mib=$2
    rm -f "$image"
    truncate -s "${mib}M" "$image"
    # -f: no zeroing of the whole image first; -F: a file, not a device.
    mkntfs -F -f -q "$image" >/dev/null 2>&1
}

ntfs_mount() {
    local image=$1 point=$2
    mkdir -p "$point"
    ntfs-3g -o streams_interface=windows "$image" "$point" 2>/dev/null || return 1
    NTFS_MOUNTS+=("$point")
}

ntfs_unmount() {
    local point=$1 try keep=() item
    sync
    # Wine can hold a file for a moment after its process has gone.
    for try in $(seq 1 40); do umount "$point" 2>/dev/null && break; sleep 0.25; done
    mountpoint -q "$point" && return 1
    for item in "${NTFS_MOUNTS[@]}"; do [ "$item" = "$point" ] || keep+=("$item"); done
    NTFS_MOUNTS=("${keep[@]}")
}

ntfs_free_letter() {
    local candidate
    for candidate in n o p q r s u v w x y; do
        if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
            printf '%s' "$candidate"
            return 0
        fi
    done
    return 1
}

ntfs_link_drive() {
    ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"
    NTFS_LINKS+=("$WINEPREFIX/dosdevices/$1:")
}

# UTF-16LE of ASCII text: every byte followed by a zero byte.
utf16le_pattern() { printf '%s' "$1" | sed 's/./&\x00/g'; }

raw_count() {
    local image=$1 text=$2 ascii wide
    ascii=$(LC_ALL=C grep -c -a -F -e "$text" "$image" || true)
    wide=$(utf16le_pattern "$text" | LC_ALL=C grep -c -a -F -f - "$image" || true)
    echo $((ascii + wide))
}

raw_live_count() {
    python3 - "$1" "$2" <<'PY'
import re, subprocess, sys
image, text = sys.argv[1], sys.argv[2]
data = open(image, "rb").read()
cluster = int.from_bytes(data[0x0B:0x0D], "little") * data[0x0D]
record = 1024
live = 0
for pattern in (text.encode("ascii"), text.encode("utf-16-le")):
    for match in re.finditer(re.escape(pattern), data):
        start = match.start() - match.start() % record
        if data[start:start + 4] == b"FILE":
            # The record's flags: bit 0 says in use.
            live += int.from_bytes(data[start + 0x16:start + 0x18], "little") & 1
            continue
        owner = subprocess.run(["ntfscluster", "-c", str(match.start() // cluster), image],
                               capture_output=True, text=True).stdout
        live += "no inode found" not in owner
print(live)
PY
}

ntfs_release_all() {
    local item clean=0
    for item in "${NTFS_LINKS[@]}"; do rm -f "$item"; done
    NTFS_LINKS=()
    for item in "${NTFS_MOUNTS[@]}"; do
        ntfs_unmount "$item" || { umount -l "$item" 2>/dev/null; clean=1; }
    done
    return "$clean"
}
