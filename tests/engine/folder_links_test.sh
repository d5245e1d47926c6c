#!/usr/bin/env bash
# Makes Unix links inside trees on the test drive, which no Wine process can
# make, runs the FolderLinks tests on them, and then checks from the Linux
# side that every link and every target is still as it was made.
#
#   folder_links_test.sh <path of engine_tests.exe> <Linux folder of the test drive>
#
# Needs the Wine prefix in WINEPREFIX with the test drive as T: (or as
# VANTREL_TEST_ROOT). Exit 77 (skipped) when that is missing.
source "$(dirname "$0")/../support/test_drive_preamble.sh"

NAME=links_$$
FIXTURE=$DRIVE/$NAME
trap 'rm -rf "$FIXTURE"' EXIT

# One tree per test: plain files and folders, links to files and folders
# outside, a link by absolute path, and links that lead back up the tree.
make_case() {
    local dir=$FIXTURE/$1
    mkdir -p "$dir/outside/sub" "$dir/outside/empty" "$dir/tree/sub"
    printf 'keep me\n' >"$dir/outside/keep.txt"
    head -c 1000000 /dev/zero >"$dir/outside/sub/deep.txt"
    printf '0123456789' >"$dir/tree/plain.txt"
    printf '01234567890123456789' >"$dir/tree/sub/inner.txt"
    ln -s ../outside/keep.txt "$dir/tree/filelink.txt"
    ln -s "$dir/outside/keep.txt" "$dir/tree/abslink.txt"
    ln -s ../outside "$dir/tree/dirlink"
    ln -s ../outside/empty "$dir/tree/emptylink"
    ln -s . "$dir/tree/loop"
    ln -s ../.. "$dir/tree/sub/up"
}

CASES=(PurgeLeavesEveryLinkAndItsTarget InteractiveWalkLeavesThemAndReportsTheFolderThatCannotGo
       ALinkNamedOnTheCommandLineIsNoTarget SizeAndPreScanDoNotFollowFolderLinks SilentRunLogsEachLinkItLeaves)
for case in "${CASES[@]}"; do make_case "$case"; done

VANTREL_LINK_FIXTURE="${ROOT%\\}\\$NAME" VANTREL_TEST_ROOT="$ROOT" \
    wine "$TESTS" --gtest_color=no --gtest_filter='FolderLinksTest.*' || fail "the FolderLinks tests failed"

for case in "${CASES[@]}"; do
    dir=$FIXTURE/$case
    [ "$(cat "$dir/outside/keep.txt")" = "keep me" ] || fail "$case: outside/keep.txt changed"
    [ "$(stat -c %s "$dir/outside/sub/deep.txt")" = 1000000 ] || fail "$case: outside/sub/deep.txt changed"
    [ -d "$dir/outside/empty" ] || fail "$case: outside/empty is gone"
    for link in filelink.txt abslink.txt dirlink emptylink loop sub/up; do
        [ -L "$dir/tree/$link" ] || fail "$case: the link tree/$link is gone"
    done
done
echo "folder_links: every link and target is as it was made"
