#!/usr/bin/env bash
# Links a folder of the test drive into the prefix as an extra drive and runs
# the Restore Points page tests on it; they build their own "System Volume
# Information" there and shred only that.
#
#   restore_points_page_drive_test.sh <path of ui_tests.exe> <Linux folder of the test drive>
#
# Exit 77 (skipped) without the prefix or its test drive.
source "$(dirname "$0")/../support/test_drive_preamble.sh"

FIXTURE=$DRIVE/restore_points_page_$$
LINK=
cleanup() {
    [ -n "$LINK" ] && rm -f "$LINK"
    rm -rf "$FIXTURE"
}
trap cleanup EXIT

LETTER=
for candidate in s r q p o n m l u v w x y; do
    if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
        LETTER=$candidate
        break
    fi
done
[ -n "$LETTER" ] || fail "no free drive letter in $WINEPREFIX"
mkdir -p "$FIXTURE"
LINK="$WINEPREFIX/dosdevices/$LETTER:"
ln -sfn "$FIXTURE" "$LINK"

wineserver -k 2>/dev/null || true  # a running prefix keeps the drive list it started with
VANTREL_RP_PAGE_DRIVE="$(printf '%s' "$LETTER" | tr a-z A-Z)" VANTREL_TEST_ROOT="$ROOT" \
    wine "$TESTS" --gtest_color=no --gtest_filter='RestorePointsPage*' || fail "the Restore Points page tests failed"
[ -z "$(ls -A "$FIXTURE")" ] || fail "the tests left something on the drive: $(ls -A "$FIXTURE")"
echo "restore_points_page: the page's jobs shredded only what the tests made"
