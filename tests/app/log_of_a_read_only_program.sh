#!/usr/bin/env bash
# A program in a folder nobody may write to, as a standard user's program
# under Program Files: a silent run of the real program writes its log.txt
# to the user's "<local application data>\Vantrel", as UTF-8 with its mark,
# and leaves nothing beside the program.
#
#   log_of_a_read_only_program.sh <path of Vantrel.exe>
#
# Needs root (a read-only bind mount), a Wine prefix with the test drive T:
# in WINEPREFIX and a DISPLAY. Exit 77 (skipped) when any of that is missing.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ $# -eq 1 ] || { echo "usage: $0 <path of Vantrel.exe>" >&2; exit 2; }
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices/t:" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix with T: (run through scripts/test.sh)"
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY for the progress dialog"
command -v mount >/dev/null || skip "mount is not installed"
[ "$(id -u)" -eq 0 ] || skip "a read-only bind mount needs root"

WORK=$(mktemp -d)
TARGETS=$WINEPREFIX/dosdevices/t:/read_only_program.$$
MOUNTED=
cleanup() {
    local status=$? try
    set +e
    rm -f "$WINEPREFIX/dosdevices/p:"
    if [ -n "$MOUNTED" ]; then
        for try in $(seq 1 40); do umount "$WORK/ro" 2>/dev/null && break; sleep 0.25; done
        mountpoint -q "$WORK/ro" && umount -l "$WORK/ro"
    fi
    mountpoint -q "$WORK/ro" 2>/dev/null || rm -rf "$WORK"
    rm -rf "$TARGETS"
    exit "$status"
}
trap cleanup EXIT

mkdir -p "$WORK/program" "$WORK/ro" "$TARGETS"
cp "$PROGRAM" "$WORK/program/Vantrel.exe"
mount --bind "$WORK/program" "$WORK/ro" || skip "bind mounts are refused"
MOUNTED=1
mount -o remount,bind,ro "$WORK/ro" || skip "a read-only bind mount is refused"
touch "$WORK/ro/probe" 2>/dev/null && skip "the read-only mount takes files"
ln -sfn "$WORK/ro" "$WINEPREFIX/dosdevices/p:"

# Where the user's local application data is in this prefix.
local_data=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
[ -n "$local_data" ] && [ "$local_data" != "%LOCALAPPDATA%" ] || fail "the prefix names no local application data"
user_log=$(winepath -u "$local_data\\Vantrel\\log.txt" 2>/dev/null)
rm -f "$user_log"

head -c 3000 /dev/urandom >"$TARGETS/notes.txt"
status=0
wine 'P:\Vantrel.exe' /s Nightly "T:\\read_only_program.$$\\notes.txt" >"$WORK/program.out" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "exit code $status, expected 0: $(cat "$WORK/program.out")"
[ ! -e "$TARGETS/notes.txt" ] || fail "the target is still there"
[ "$(ls -A "$WORK/program")" = "Vantrel.exe" ] || fail "something was written beside the program: $(ls -A "$WORK/program")"
[ -f "$user_log" ] || fail "no log at $local_data\\Vantrel\\log.txt"
expected=$(printf '\xef\xbb\xbfTask Name: Nightly\r\nSuccess\r\n\r\n' | od -An -tx1)
[ "$(od -An -tx1 "$user_log")" = "$expected" ] ||
    fail "the user's log is not the run's UTF-8 record: $(od -c "$user_log")"
rm -f "$user_log"
echo "read-only program: the log went to $local_data\\Vantrel, nothing beside the program"
