#!/usr/bin/env bash
# Builds if needed and starts Vantrel.exe under Wine with the arguments given.
set -euo pipefail
source "$(dirname "$0")/env.sh"

if [ ! -f "$BUILD_DIR/Vantrel.exe" ]; then
    need_packages
    configure_and_build -DVANTREL_TESTS=OFF
fi
exec wine "$BUILD_DIR/Vantrel.exe" "$@"
