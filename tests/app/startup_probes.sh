#!/usr/bin/env bash
# Runs start-up's probes with the system version set to each Windows that
# Wine can pretend to be, and with two extra drives linked into the prefix:
# one with a label, one without.
#
#   startup_probes.sh <path of probe_tool.exe>
set -euo pipefail

fail() { echo "FAILED: $*" >&2; exit 1; }
[ $# -eq 1 ] || { echo "usage: $0 <path of probe_tool.exe>" >&2; exit 2; }
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] || { echo "SKIPPED: no test prefix"; exit 77; }
TOOL=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

WORK=$(mktemp -d "$(dirname "$TOOL")/startup_probes.XXXXXX")
APP_KEY='HKCU\Software\Wine\AppDefaults\probe_tool.exe'
LINKS=()
cleanup() {
    local link
    for link in "${LINKS[@]}"; do rm -f "$link"; done
    wine reg delete "$APP_KEY" /f >/dev/null 2>&1 || true
    wineserver -k 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# Two drive letters nobody in this prefix uses.
LETTERS=()
for candidate in d e f g h i j k; do
    [ -e "$WINEPREFIX/dosdevices/$candidate:" ] || [ -L "$WINEPREFIX/dosdevices/$candidate:" ] || LETTERS+=("$candidate")
    [ ${#LETTERS[@]} -eq 2 ] && break
done
[ ${#LETTERS[@]} -eq 2 ] || fail "no two free drive letters in $WINEPREFIX"
LABELLED=${LETTERS[0]} PLAIN=${LETTERS[1]}
mkdir -p "$WORK/labelled" "$WORK/plain"
printf 'Data\n' >"$WORK/labelled/.windows-label"
for pair in "$LABELLED:labelled" "$PLAIN:plain"; do
    ln -sfn "$WORK/${pair#*:}" "$WINEPREFIX/dosdevices/${pair%%:*}:"
    LINKS+=("$WINEPREFIX/dosdevices/${pair%%:*}:")
done
# A running prefix keeps the drive list it started with.
wineserver -k 2>/dev/null || true


upper() { printf '%s' "$1" | tr a-z A-Z; }
FACTS=
run_probe() {
    wine reg add "$APP_KEY" /v Version /t REG_SZ /d "$1" /f >/dev/null 2>&1 || fail "could not set version $1"
    local out=T:\\probe-facts.txt
    wine "$TOOL" "$out" >/dev/null 2>&1 || fail "$1: probe_tool failed"
    FACTS=$(tr -d '\r' <"$WINEPREFIX/dosdevices/t:/probe-facts.txt")
    rm -f "$WINEPREFIX/dosdevices/t:/probe-facts.txt"
}

expect_line() {
    grep -qxF -e "$2" <<<"$FACTS" || { printf '%s\n' "$FACTS" >&2; fail "$1: no line '$2'"; }
}

for version in win10 win7 vista winxp win2k winme win98; do
    run_probe "$version"
    case $version in
    win10 | win7 | vista) nt=1 xp=0 vista=1 ;;
    winxp) nt=1 xp=1 vista=0 ;;
    win2k) nt=1 xp=0 vista=0 ;;
    winme) nt=0 xp=1 vista=0 ;;
    win98) nt=0 xp=0 vista=0 ;;
    esac
    expect_line "$version" "isNT=$nt"
    expect_line "$version" "isXpOrMe=$xp"
    expect_line "$version" "isVistaOrLater=$vista"
    expect_line "$version" "anyNtfs=1"
    sid=$(sed -n 's/^sid=//p' <<<"$FACTS")
    if [ "$nt" -eq 1 ]; then
        [[ $sid =~ ^S-1-5-[0-9]+(-[0-9]+)+$ ]] || fail "$version: the user's SID was not read: '$sid'"
    else
        [ -z "$sid" ] || fail "$version: a system without per-user bins read the SID: '$sid'"
    fi
    echo "startup_probes: $version: isNT=$nt isXpOrMe=$xp isVistaOrLater=$vista sid='${sid}'"
done

expect_line drives "drive=Data ($(upper "$LABELLED"):)|NTFS|1"
expect_line drives "drive=Local Disk ($(upper "$PLAIN"):)|NTFS|1"
expect_line drives "root=$(upper "$LABELLED"):\\ ntfs=1"
grep -q '^root=Z:' <<<"$FACTS" && fail "the test prefix has a Z: drive"
echo "startup_probes: drives: $(grep -c '^drive=' <<<"$FACTS") fixed, labels as expected"
