#!/usr/bin/env bash
# The scheduling component in a prefix of its own (a copy of the test prefix,
# which goes without it): Sched.dll installed and registered the way
# development installs it, then the late-bound tests, and the script files
# (JScript, VBScript) run by cscript, all against the real registration.
set -euo pipefail
tests_exe=$1
build_dir=$2
shift 2
if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX" ]; then
    echo "no test prefix"
    exit 77
fi
BUILD_DIR=$build_dir
source "$(dirname "$0")/../../scripts/env.sh"
base=$WINEPREFIX
export WINEPREFIX="$build_dir/component_prefix"
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
rm -rf "$WINEPREFIX"
cp -a "$base" "$WINEPREFIX"
install_scheduler_component "$WINEPREFIX"

status=0
wine "$tests_exe" --gtest_color=no || status=1
# The Scheduler page against the real component: it acts only on the task its row shows.
wine "$(dirname "$tests_exe")/ui_tests.exe" --gtest_color=no --gtest_filter='SchedulerPageComponent*' || status=1

drive=$(readlink "$WINEPREFIX/dosdevices/t:")
for script in "$@"; do
    name="component_script.${script##*.}"
    cp "$script" "$drive/$name"
    errors=$(mktemp)
    output=$(wine cscript //nologo "T:\\$name" 2>"$errors" | tr -d '\r' || true)
    rm -f "$drive/$name"
    echo "${script##*/}: $output"
    if [ "$(tail -n 1 <<<"$output")" != "script passed" ]; then
        grep -v "could not open working directory" "$errors" || true
        status=1
    fi
    rm -f "$errors"
done
exit $status
