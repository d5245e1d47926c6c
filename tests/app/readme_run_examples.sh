#!/usr/bin/env bash
# Runs the commands of README.md's "Running from the command line" exactly as
# written, the way a new user on a fresh machine does: from a top folder that
# holds a copy of scripts/ and a build folder with the built program, with a
# fresh home folder and no WINEPREFIX, so that scripts/run.sh makes its own
# prefix and T: drive where it makes them by default. Checks that each does
# what the README says (a run that was not silent would wait on its
# confirmation box until the time-out), and that without a display a
# windowed start is refused with word on how to see the windows.
#
#   readme_run_examples.sh <Vantrel.exe> <raw_launch.exe> <build folder>
#
# Everything it makes is under <build folder>/readme_run_examples, removed at
# the end. Exit 77 (skipped) when Wine is missing.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ $# -eq 3 ] || { echo "usage: $0 <Vantrel.exe> <raw_launch.exe> <build folder>" >&2; exit 2; }
PROGRAM=$1
LAUNCHER=$2
BUILD=$(cd "$3" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT_DIR=$(cd "$HERE/../.." && pwd)
[ -f "$PROGRAM" ] && [ -f "$LAUNCHER" ] || fail "no program or launcher"
command -v wine >/dev/null || skip "wine is missing"

WORK=$BUILD/readme_run_examples
TOP=$WORK/top           # the user's clone, as far as run.sh can tell
RUN_PREFIX=$TOP/build/runprefix
cleanup() {
    [ -d "$RUN_PREFIX" ] && WINEPREFIX=$RUN_PREFIX wineserver -k 2>/dev/null || true
    rm -rf "$WORK"
}
cleanup
trap cleanup EXIT
mkdir -p "$TOP/build" "$WORK/home"
cp -r "$ROOT_DIR/scripts" "$TOP/scripts"
cp "$PROGRAM" "$TOP/build/Vantrel.exe"
cp "$LAUNCHER" "$TOP/build/raw_launch.exe"
# What else a build holds beside the program, when this one made it.
for extra in Sched.dll Lang HLP; do
    if [ -e "$BUILD/$extra" ]; then cp -r "$BUILD/$extra" "$TOP/build/"; fi
done

# A fresh machine: a home folder with nothing in it, no prefix named, no
# settings of this run's scripts.
export HOME=$WORK/home
unset WINEPREFIX BUILD_DIR VANTREL_RUN_PREFIX VANTREL_RUN_DRIVE XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME

section=$(sed -n '/^## Running from the command line$/,/^### /p' "$ROOT_DIR/README.md")
mapfile -t EXAMPLES < <(grep -E "^    scripts/run.sh '" <<<"$section" | sed 's/^    //')
[ ${#EXAMPLES[@]} -eq 3 ] || fail "expected three run examples with a command line in README.md, found ${#EXAMPLES[@]}"
# The commands that make T:\Old reports, run as written too.
mapfile -t PREPARE < <(grep -E '^    (mkdir|echo) .*"build/rundrive/' <<<"$section" | sed 's/^    //')
[ ${#PREPARE[@]} -ge 1 ] || fail "README.md says nothing on how to make T:\\Old reports"
LOG_FILE=$RUN_PREFIX/drive_c/Vantrel/log.txt
grep -qF 'cat build/runprefix/drive_c/Vantrel/log.txt' <<<"$section" || fail "README.md points to another log"

# Without a display a windowed start is refused before anything is made.
STATUS=0
(cd "$TOP" && env -u DISPLAY timeout 60 scripts/run.sh) >"$WORK/out.txt" 2>&1 || STATUS=$?
[ "$STATUS" -eq 3 ] || { cat "$WORK/out.txt"; fail "run.sh without a display exited with $STATUS, expected 3"; }
grep -q 'DISPLAY is not set' "$WORK/out.txt" && grep -q 'xvfb-run' "$WORK/out.txt" ||
    { cat "$WORK/out.txt"; fail "run.sh without a display did not say how to see the windows"; }
[ ! -e "$RUN_PREFIX" ] || fail "run.sh without a display made the prefix"
echo "run.sh without a display -> exit 3 and word on how to see the windows"

prepare() {
    local line
    for line in "${PREPARE[@]}"; do
        (cd "$TOP" && bash -c "$line") || fail "could not run: $line"
    done
}

# The first and the last run as on a machine without a screen, where run.sh
# gives the silent run a display of its own; the second on this run's
# display, when there is one.
run_example() {
    local example=$1 display=$2
    rm -f "$LOG_FILE"
    STATUS=0
    # The first run makes the prefix, which takes its time.
    (cd "$TOP" && DISPLAY=$display timeout 300 bash -c "$example") >"$WORK/out.txt" 2>&1 || STATUS=$?
    LOG=$(tr -d '\r' <"$LOG_FILE" 2>/dev/null || echo "<no log>")
    echo "$example -> exit $STATUS${display:+ (DISPLAY $display)}"
    sed 's/^/    > /' "$WORK/out.txt"
    printf '%s\n' "$LOG" | sed 's/^/    | /'
}

# The first two: the tree is shredded silently with method 2, the log says
# "Task Name: Nightly" and "Success", the exit code is 0.
for index in 0 1; do
    prepare
    [ -d "$TOP/build/rundrive/Old reports" ] || fail "README.md's commands made no T:\\Old reports"
    display=
    [ "$index" -eq 1 ] && display=${DISPLAY:-}
    run_example "${EXAMPLES[$index]}" "$display"
    [ "$STATUS" -eq 0 ] || fail "example $((index + 1)) exited with $STATUS"
    [ ! -e "$TOP/build/rundrive/Old reports" ] || fail "example $((index + 1)) left the folder"
    [ "$LOG" = $'\xef\xbb\xbfTask Name: Nightly\nSuccess\n' ] || [ "$LOG" = $'\xef\xbb\xbfTask Name: Nightly\nSuccess' ] ||
        fail "example $((index + 1)) logged something else"
done

# The third: a target that does not exist is logged, no "Success", exit code 1.
run_example "${EXAMPLES[2]}" ""
[ "$STATUS" -eq 1 ] || fail "example 3 exited with $STATUS, expected 1"
grep -qx 'Is not a valid file system object' <<<"$LOG" || fail "example 3 did not log the missing target"
grep -qx 'Not every target was shredded. See the messages above.' <<<"$LOG" || fail "example 3 has no failure line"
! grep -qx Success <<<"$LOG" || fail "example 3 logged Success"

# The prefix is run.sh's own, as README.md describes it.
[ "$(readlink -f "$RUN_PREFIX/dosdevices/t:")" = "$(readlink -f "$TOP/build/rundrive")" ] ||
    fail "T: of the run prefix is not build/rundrive"
[ ! -e "$RUN_PREFIX/dosdevices/z:" ] && [ ! -L "$RUN_PREFIX/dosdevices/z:" ] || fail "the run prefix has a Z: drive"
[ ! -e "$HOME/.wine" ] || fail "something used a prefix in the home folder"
echo "readme_run_examples: every example does what the README says"
