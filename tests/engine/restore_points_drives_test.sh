#!/usr/bin/env bash
# Links three folders of the test drive into the prefix as extra drives, with
# "System Volume Information" trees and Unix links that no Wine process can
# make, runs the RestorePoint tests on them, and then checks from the Linux
# side that every link and everything they point to is as it was made.
#
#   restore_points_drives_test.sh <path of engine_tests.exe> <Linux folder of the test drive>
#
# Needs the Wine prefix in WINEPREFIX with the test drive as T: (or as
# VANTREL_TEST_ROOT). Exit 77 (skipped) when that is missing.
source "$(dirname "$0")/../support/test_drive_preamble.sh"

FIXTURE=$DRIVE/restore_points_$$
LINKS=()
cleanup() {
    local link
    for link in "${LINKS[@]}"; do rm -f "$link"; done
    rm -rf "$FIXTURE"
}
trap cleanup EXIT

# Three letters nobody in this prefix uses, in letter order.
LETTERS=()
for candidate in l m n o p q r s u v w x y; do
    [ -e "$WINEPREFIX/dosdevices/$candidate:" ] || [ -L "$WINEPREFIX/dosdevices/$candidate:" ] || LETTERS+=("$candidate")
    [ ${#LETTERS[@]} -eq 3 ] && break
done
[ ${#LETTERS[@]} -eq 3 ] || fail "no three free drive letters in $WINEPREFIX"

# plain: left to the tests. links: a volume folder with links to "outside".
# linked: a volume folder that is itself a link, to "elsewhere".
SVI="System Volume Information"
mkdir -p "$FIXTURE/plain" "$FIXTURE/links/outside/RP12" "$FIXTURE/links/$SVI/_restore{links}/RP7" \
    "$FIXTURE/linked" "$FIXTURE/elsewhere/_restore{elsewhere}/RP12"
printf 'keep\n' >"$FIXTURE/links/outside/keep.txt"
head -c 1000000 /dev/zero >"$FIXTURE/links/outside/RP12/inner.dat"
head -c 5000 /dev/zero >"$FIXTURE/elsewhere/_restore{elsewhere}/RP12/data.dat"
ln -s ../../outside/RP12 "$FIXTURE/links/$SVI/_restore{links}/RP12"
ln -s ../../../outside "$FIXTURE/links/$SVI/_restore{links}/RP7/outlink"
ln -s ../../../outside/keep.txt "$FIXTURE/links/$SVI/_restore{links}/RP7/filelink.txt"
ln -s ../outside "$FIXTURE/links/$SVI/linked"
ln -s ../elsewhere "$FIXTURE/linked/$SVI"

names=(plain links linked)
for i in 0 1 2; do
    ln -sfn "$FIXTURE/${names[$i]}" "$WINEPREFIX/dosdevices/${LETTERS[$i]}:"
    LINKS+=("$WINEPREFIX/dosdevices/${LETTERS[$i]}:")
done
upper() { printf '%s' "$1" | tr a-z A-Z; }

wineserver -k 2>/dev/null || true  # a running prefix keeps the drive list it started with
VANTREL_RP_DRIVES="$(upper "${LETTERS[0]}${LETTERS[1]}")" VANTREL_RP_LINKED_DRIVE="$(upper "${LETTERS[2]}")" \
    VANTREL_TEST_ROOT="$ROOT" wine "$TESTS" --gtest_color=no --gtest_filter='RestorePoint*' ||
    fail "the RestorePoint tests failed"

expect_link() { [ -L "$1" ] && [ "$(readlink "$1")" = "$2" ] || fail "the link $1 to $2 is gone"; }
expect_link "$FIXTURE/links/$SVI/_restore{links}/RP12" ../../outside/RP12
expect_link "$FIXTURE/links/$SVI/_restore{links}/RP7/outlink" ../../../outside
expect_link "$FIXTURE/links/$SVI/_restore{links}/RP7/filelink.txt" ../../../outside/keep.txt
expect_link "$FIXTURE/links/$SVI/linked" ../outside
expect_link "$FIXTURE/linked/$SVI" ../elsewhere
[ "$(cat "$FIXTURE/links/outside/keep.txt")" = keep ] || fail "outside/keep.txt changed"
cmp -s "$FIXTURE/links/outside/RP12/inner.dat" <(head -c 1000000 /dev/zero) || fail "outside/RP12/inner.dat changed"
cmp -s "$FIXTURE/elsewhere/_restore{elsewhere}/RP12/data.dat" <(head -c 5000 /dev/zero) ||
    fail "elsewhere/_restore{elsewhere}/RP12/data.dat changed"
echo "restore_points_drives: every link and target is as it was made"
