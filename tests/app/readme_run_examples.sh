#!/usr/bin/env bash
# Runs the command-line examples of README.md through scripts/run.sh, with
# the paths moved into a folder of the test drive that this test makes, and
# checks that each does what the README says: the command line reaches the
# program exactly as written (a run that was not silent would wait on its
# confirmation box until the time-out).
#
#   readme_run_examples.sh <Vantrel.exe> <raw_launch.exe> <Linux folder of the test drive>
#
# Exit 77 (skipped) when the prefix or its test drive is missing.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ $# -eq 3 ] || { echo "usage: $0 <Vantrel.exe> <raw_launch.exe> <test drive folder>" >&2; exit 2; }
PROGRAM=$1
LAUNCHER=$2
DRIVE=${TEST_DRIVE_DIR:-$3}
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT_DIR=$(cd "$HERE/../.." && pwd)
[ -f "$PROGRAM" ] && [ -f "$LAUNCHER" ] || fail "no program or launcher"
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
[ "$(readlink -f "$WINEPREFIX/dosdevices/t:" || true)" = "$(readlink -f "$DRIVE" || true)" ] ||
    skip "T: is not $DRIVE in this prefix"

NAME=readme_$$
FIXTURE=$DRIVE/$NAME
trap 'rm -rf "$FIXTURE"' EXIT
# A build folder of its own on T:, so the program's log lands there.
mkdir -p "$FIXTURE/build"
cp "$PROGRAM" "$FIXTURE/build/Vantrel.exe"
cp "$LAUNCHER" "$FIXTURE/build/raw_launch.exe"

mapfile -t EXAMPLES < <(grep -E "^    scripts/run.sh '" "$ROOT_DIR/README.md" | sed 's/^    //')
[ ${#EXAMPLES[@]} -eq 3 ] || fail "expected three run examples with a command line in README.md, found ${#EXAMPLES[@]}"

make_tree() {
    rm -rf "$FIXTURE/Old reports"
    mkdir -p "$FIXTURE/Old reports/2025"
    head -c 70000 /dev/urandom >"$FIXTURE/Old reports/summary.doc"
    head -c 1000 /dev/urandom >"$FIXTURE/Old reports/2025/q1.xls"
}

run_example() {
    local example=$1
    # The README's T:\ paths, moved into this test's own folder.
    example=${example//T:\\/T:\\$NAME\\}
    rm -f "$FIXTURE/build/log.txt"
    STATUS=0
    (cd "$ROOT_DIR" && BUILD_DIR=$FIXTURE/build timeout 120 bash -c "$example") >"$FIXTURE/out.txt" 2>&1 || STATUS=$?
    LOG=$(tr -d '\r' <"$FIXTURE/build/log.txt" 2>/dev/null || echo "<no log>")
    echo "$example -> exit $STATUS"
    printf '%s\n' "$LOG" | sed 's/^/    | /'
}

# The first two: the tree is shredded silently with method 2, the log says
# "Task Name: Nightly" and "Success", the exit code is 0.
for index in 0 1; do
    make_tree
    run_example "${EXAMPLES[$index]}"
    [ "$STATUS" -eq 0 ] || fail "example $((index + 1)) exited with $STATUS"
    [ ! -e "$FIXTURE/Old reports" ] || fail "example $((index + 1)) left the folder"
    [ "$LOG" = $'Task Name: Nightly\nSuccess\n' ] || [ "$LOG" = $'Task Name: Nightly\nSuccess' ] ||
        fail "example $((index + 1)) logged something else"
done

# The third: a target that does not exist is logged, no "Success", exit code 1.
run_example "${EXAMPLES[2]}"
[ "$STATUS" -eq 1 ] || fail "example 3 exited with $STATUS, expected 1"
grep -qx 'Is not a valid file system object' <<<"$LOG" || fail "example 3 did not log the missing target"
grep -qx 'Not every target was shredded. See the messages above.' <<<"$LOG" || fail "example 3 has no failure line"
! grep -qx Success <<<"$LOG" || fail "example 3 logged Success"
echo "readme_run_examples: every example does what the README says"
