#!/usr/bin/env bash
# Builds the program and its installer, build/Vantrel-Setup-<version>.exe,
# from the build output. The scheduling component (build/Sched.dll) must be
# there: an installer without it would leave the Scheduler page dead.
set -euo pipefail
source "$(dirname "$0")/env.sh"

need_packages
need_packaging_packages
configure_and_build

version=$(tr -d '\r\n' <"$BUILD_DIR/VERSION")
missing=()
for file in Vantrel.exe Sched.dll HLP/Hlp.chm Lang/English.ini Lang/English.bmp Lang/German.ini Lang/German.bmp \
            Lang/French.ini Lang/French.bmp; do
    [ -f "$BUILD_DIR/$file" ] || missing+=("$file")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "package.sh: cannot build the installer; missing in $BUILD_DIR: ${missing[*]}" >&2
    [[ " ${missing[*]} " == *" Sched.dll "* ]] &&
        echo "package.sh: Sched.dll is the scheduling component's build (src/component)." >&2
    exit 1
fi

output="$BUILD_DIR/Vantrel-Setup-$version.exe"
makensis -V2 -DVERSION="$version" -DBUILD_DIR="$BUILD_DIR" -DOUT_FILE="$output" \
    "$ROOT_DIR/installer/Vantrel.nsi"
echo "Installer: $output"
