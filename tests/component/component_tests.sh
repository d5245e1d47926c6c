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
drive=$(readlink "$base/dosdevices/t:")
# A drive of its own for the wizard's restore points and bin, linked before
# the prefix starts (a running prefix keeps the drive list it started with).
wizard_fixture=$drive/wizard_drive_$$
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$wizard_fixture"
}
trap cleanup EXIT
rm -rf "$WINEPREFIX"
cp -a "$base" "$WINEPREFIX"
wizard_letter=
for candidate in s r q p o n m l u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
        wizard_letter=$candidate
        break
    fi
done
mkdir -p "$wizard_fixture"
[ -n "$wizard_letter" ] && ln -sfn "$wizard_fixture" "$WINEPREFIX/dosdevices/$wizard_letter:"
install_scheduler_component "$WINEPREFIX"

status=0
wine "$tests_exe" --gtest_color=no || status=1
# The Scheduler page against the real component: it acts only on the task its row shows.
wine "$(dirname "$tests_exe")/ui_tests.exe" --gtest_color=no --gtest_filter='SchedulerPageComponent*' || status=1

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

# Last, as its daily task is due today and the scheduler service may write
# it again after the test removed it.
if [ -n "$wizard_letter" ]; then
    VANTREL_WIZARD_DRIVE=$(printf '%s' "$wizard_letter" | tr a-z A-Z) \
        wine "$tests_exe" --gtest_color=no --gtest_filter='FirstRunWizardJobs*' || status=1
    if [ -n "$(ls -A "$wizard_fixture")" ]; then
        echo "the wizard's jobs left something on their drive: $(ls -A "$wizard_fixture")"
        status=1
    fi
else
    echo "no free drive letter for the wizard's jobs"
    status=1
fi
exit $status
