#!/usr/bin/env bash
# Links three folders of the test drive into the prefix as extra drives for
# the Recycle Bin tests, makes the bins with Unix links on them (which no Wine
# process can make), runs the RecycleBin tests, and then checks from the
# Linux side that every link and every target is still as it was made.
#
#   recycle_bin_drives_test.sh <path of engine_tests.exe> <Linux folder of the test drive>
#
# Needs the Wine prefix in WINEPREFIX with the test drive as T: (or as
# VANTREL_TEST_ROOT). Exit 77 (skipped) when that is missing.
source "$(dirname "$0")/../support/test_drive_preamble.sh"
DOSDEVICES=$WINEPREFIX/dosdevices

FIXTURE=$DRIVE/bindrives_$$
LINKED=()
cleanup() {
    local link
    for link in "${LINKED[@]}"; do rm -f "$DOSDEVICES/$link:"; done
    rm -rf "$FIXTURE"
}
trap cleanup EXIT

# Three free letters in order; K: is left out, the tests use it for a drive
# that exists nowhere.
LETTERS=
for letter in l m n o p q s u v w x y; do
    [ -e "$DOSDEVICES/$letter:" ] || [ -L "$DOSDEVICES/$letter:" ] && continue
    LETTERS+=$letter
    [ ${#LETTERS} -eq 3 ] && break
done
[ ${#LETTERS} -eq 3 ] || skip "no three free drive letters in the prefix"
for i in 0 1 2; do
    mkdir -p "$FIXTURE/$i"
    ln -s "$FIXTURE/$i" "$DOSDEVICES/${LETTERS:$i:1}:"
    LINKED+=("${LETTERS:$i:1}")
done

# The first drive's bin holds a plain item and links to what lies outside it;
# the second drive's bin folder is itself a link.
SID=S-1-5-21-7-LINKS
ONE=$FIXTURE/0
mkdir -p "$ONE/Recycler/$SID" "$ONE/outside/sub"
printf 'keep me\n' >"$ONE/outside/keep.txt"
printf "not the bin's\n" >"$ONE/outside/desktop.ini"
head -c 1000000 /dev/zero >"$ONE/outside/sub/deep.txt"
head -c 100000 /dev/zero | tr '\0' 'B' >"$ONE/Recycler/$SID/Dc1.txt"
ln -s ../../outside/keep.txt "$ONE/Recycler/$SID/Dc2.txt"
ln -s ../../outside "$ONE/Recycler/$SID/Dc3"
ln -s ../../outside/desktop.ini "$ONE/Recycler/$SID/desktop.ini"
TWO=$FIXTURE/1
mkdir -p "$TWO/Recycler" "$TWO/elsewhere"
printf 'not in a bin\n' >"$TWO/elsewhere/Dd1.txt"
ln -s ../elsewhere "$TWO/Recycler/$SID"
# The same under Vista's layout: "$R" items that are links, and a bin folder that is one.
VISTA=$ONE/\$Recycle.Bin/$SID
mkdir -p "$VISTA" "$TWO/\$Recycle.Bin"
head -c 100000 /dev/zero | tr '\0' 'B' >"$VISTA/\$RPLAIN.txt"
ln -s ../../outside/keep.txt "$VISTA/\$RLINK1.txt"
ln -s ../../outside "$VISTA/\$RLINK2"
ln -s ../../outside/keep.txt "$VISTA/\$ILINK1.txt"
ln -s ../../outside/desktop.ini "$VISTA/desktop.ini"
printf 'not in a bin either\n' >"$TWO/elsewhere/\$RDd2.txt"
ln -s ../elsewhere "$TWO/\$Recycle.Bin/$SID"

wineserver -k 2>/dev/null || true  # a running prefix keeps the drive list it started with
VANTREL_BIN_DRIVES=$(printf '%s' "$LETTERS" | tr 'a-z' 'A-Z') VANTREL_TEST_ROOT="$ROOT" \
    wine "$TESTS" --gtest_color=no --gtest_filter='RecycleBin*' || fail "the RecycleBin tests failed"

[ "$(cat "$ONE/outside/keep.txt")" = "keep me" ] || fail "outside/keep.txt changed"
[ "$(cat "$ONE/outside/desktop.ini")" = "not the bin's" ] || fail "outside/desktop.ini changed"
[ "$(stat -c %s "$ONE/outside/sub/deep.txt")" = 1000000 ] || fail "outside/sub/deep.txt changed"
[ "$(cat "$TWO/elsewhere/Dd1.txt")" = "not in a bin" ] || fail "elsewhere/Dd1.txt changed"
[ "$(cat "$TWO/elsewhere/\$RDd2.txt")" = "not in a bin either" ] || fail "elsewhere/\$RDd2.txt changed"
for link in Dc2.txt Dc3 desktop.ini; do
    [ -L "$ONE/Recycler/$SID/$link" ] || fail "the link $link in the bin is gone"
done
[ -L "$TWO/Recycler/$SID" ] || fail "the linked bin folder is gone"
for link in '$RLINK1.txt' '$RLINK2' '$ILINK1.txt' desktop.ini; do
    [ -L "$VISTA/$link" ] || fail "the link $link in the Vista bin is gone"
done
[ -L "$TWO/\$Recycle.Bin/$SID" ] || fail "the linked Vista bin folder is gone"
[ ! -e "$VISTA/\$RPLAIN.txt" ] || fail "the plain Vista item was not shredded"
[ ! -e "$ONE/Recycler/$SID/Dc1.txt" ] || fail "the plain item was not emptied"
echo "recycle_bin_drives: every link and target is as it was made"
