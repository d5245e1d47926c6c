# Sourced by the tests that build fixtures on the Linux side of the test
# drive and then run engine_tests.exe on them. Checks the two arguments
# (<engine_tests.exe> <test drive folder>) and the prefix, and sets TESTS,
# DRIVE (the Linux folder) and ROOT (its Windows root). Exits 77 (skipped)
# when the prefix or its test drive is missing.
set -euo pipefail

SKIP=77
skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ $# -eq 2 ] || { echo "usage: $0 <engine_tests.exe> <test drive folder>" >&2; exit 2; }
TESTS=$1
DRIVE=${TEST_DRIVE_DIR:-$2}
ROOT=${VANTREL_TEST_ROOT:-'T:\'}
[ -f "$TESTS" ] || fail "no test executable at $TESTS"
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ] ||
    skip "WINEPREFIX is not a set-up Wine prefix (run through scripts/test.sh)"
command -v wine >/dev/null || skip "wine is not installed"
LETTER=$(printf '%s' "${ROOT:0:1}" | tr 'A-Z' 'a-z')
[ "$(readlink -f "$WINEPREFIX/dosdevices/$LETTER:" || true)" = "$(readlink -f "$DRIVE" || true)" ] ||
    skip "$ROOT is not $DRIVE in this prefix"
