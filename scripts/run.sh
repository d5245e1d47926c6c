#!/usr/bin/env bash
# Builds if needed and starts Vantrel.exe under Wine.
#
#   scripts/run.sh                    the program without a command line
#   scripts/run.sh '<command line>'   the program with exactly this command
#                                     line, as a scheduled task or a Windows
#                                     shell passes it; several arguments are
#                                     joined by single spaces into one text
#
# Wine would escape the double quotes of Unix arguments, so the text goes
# through the environment to raw_launch.exe, which starts the program with it.
# Answers the program's exit code.
set -euo pipefail
source "$(dirname "$0")/env.sh"

if [ ! -f "$BUILD_DIR/Vantrel.exe" ]; then
    need_packages
    configure_and_build -DVANTREL_TESTS=OFF
elif [ ! -f "$BUILD_DIR/raw_launch.exe" ]; then
    cmake --build "$BUILD_DIR" --target raw_launch
fi

# The scheduling component, when the build made one and env.sh knows how to
# install and register it.
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
if [ -f "$BUILD_DIR/Sched.dll" ] && declare -F install_scheduler_component >/dev/null; then
    [ -d "$WINEPREFIX/drive_c/windows/system32" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
    install_scheduler_component "$WINEPREFIX"
fi

if [ $# -eq 0 ]; then
    exec wine "$BUILD_DIR/Vantrel.exe"
fi
VANTREL_COMMAND_LINE="$*" exec wine "$BUILD_DIR/raw_launch.exe"
