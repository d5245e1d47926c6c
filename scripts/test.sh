#!/usr/bin/env bash
# Installs what is missing, builds, makes a throwaway Wine prefix and runs
# every test under Wine (with Xvfb when no display is set).
set -euo pipefail
source "$(dirname "$0")/env.sh"

need_packages
# The installer test builds and runs the real installer.
need_packaging_packages
configure_and_build
make_test_prefix
trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT
start_display

cd "$BUILD_DIR"
ctest --output-on-failure --timeout 900 "$@"
