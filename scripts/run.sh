#!/usr/bin/env bash
# Builds if needed and starts Vantrel.exe under Wine.
#
#   scripts/run.sh                    the program without a command line
#   scripts/run.sh '<command line>'   the program with exactly this command
#                                     line, as a scheduled task or a Windows
#                                     shell passes it; several arguments are
#                                     joined by single spaces into one text
#
# The program runs in a prefix of its own, build/runprefix (VANTREL_RUN_PREFIX),
# whose T: is the folder build/rundrive (VANTREL_RUN_DRIVE) and which has no Z:;
# both are made when missing. A WINEPREFIX of the shell is not used: the
# README's examples need that T:, whatever prefix the user works in otherwise.
#
# Wine would escape the double quotes of Unix arguments, so the text goes
# through the environment to raw_launch.exe, which starts the program with it.
# Answers the program's exit code, or 3 without starting it when it would open
# windows and there is no display to show them on. A silent run without a
# display gets a virtual one of its own (Xvfb) for its progress dialog.
set -euo pipefail
source "$(dirname "$0")/env.sh"

# True when the command line holds "/s", read as the program reads it: only
# the quoted pieces when there is a quote, else the words between spaces.
silent_command_line() {
    local text=$1 piece
    if [[ $text == *'"'* ]]; then
        while [[ $text == *'"'*'"'* ]]; do
            text=${text#*'"'}
            piece=${text%%'"'*}
            [ "$piece" = /s ] && return 0
            text=${text#*'"'}
        done
        return 1
    fi
    local words=()
    IFS=' ' read -r -a words <<<"$text"
    for piece in "${words[@]}"; do
        [ "$piece" = /s ] && return 0
    done
    return 1
}

COMMAND_LINE="$*"
if [ -z "${DISPLAY:-}" ] && { [ $# -eq 0 ] || ! silent_command_line "$COMMAND_LINE"; }; then
    cat >&2 <<'TEXT'
scripts/run.sh: there is no display (DISPLAY is not set). Without "/s" the
program opens windows, so it was not started. To see them:
  - start it from a desktop session, or log in with `ssh -X`: either sets DISPLAY;
  - on a machine without a screen, give it a virtual one and look at that with
    a VNC viewer (Debian packages xvfb and x11vnc):
        Xvfb :1 -screen 0 1024x768x24 &
        x11vnc -display :1 -localhost -forever -nopw &
        DISPLAY=:1 scripts/run.sh ...
    then connect the viewer to port 5900 of this machine (from another one
    through `ssh -L 5900:localhost:5900 <this machine>`);
  - or let it run unseen: xvfb-run -a scripts/run.sh ...
A silent command line ("/s" ...) needs no display.
TEXT
    exit 3
fi

if [ ! -f "$BUILD_DIR/Vantrel.exe" ]; then
    need_packages
    configure_and_build -DVANTREL_TESTS=OFF
elif [ ! -f "$BUILD_DIR/raw_launch.exe" ]; then
    cmake --build "$BUILD_DIR" --target raw_launch
fi

BUILD_DIR=$(cd "$BUILD_DIR" && pwd)
make_run_prefix

# The program runs from C:\Vantrel of the prefix, since without Z: the build
# folder has no Windows path: its folder, its log, the paths of the tasks it
# schedules all need one. Copies, not links, so that nothing done to
# C:\Vantrel reaches the build; a file is replaced only when it changed, by
# renaming, so a program still running keeps its own.
PROGRAM_DIR="$WINEPREFIX/drive_c/Vantrel"
stage() {  # file of the build, relative
    [ -f "$BUILD_DIR/$1" ] || return 0
    mkdir -p "$(dirname "$PROGRAM_DIR/$1")"
    cmp -s "$BUILD_DIR/$1" "$PROGRAM_DIR/$1" && return 0
    cp "$BUILD_DIR/$1" "$PROGRAM_DIR/$1.new"
    mv -f "$PROGRAM_DIR/$1.new" "$PROGRAM_DIR/$1"
}
stage Vantrel.exe
stage raw_launch.exe
stage HLP/Hlp.chm
for pack in "$BUILD_DIR"/Lang/*.ini "$BUILD_DIR"/Lang/*.bmp; do
    if [ -e "$pack" ]; then stage "Lang/${pack##*/}"; fi
done

# Wine starts in the folder it is started from when that has a Windows path.
cd "$PROGRAM_DIR"

# The scheduling component, when the build made one and env.sh knows how to
# install and register it.
if [ -f "$BUILD_DIR/Sched.dll" ] && declare -F install_scheduler_component >/dev/null; then
    install_scheduler_component "$WINEPREFIX"
fi

if [ $# -eq 0 ]; then
    exec wine 'C:\Vantrel\Vantrel.exe'
fi
if [ -n "${DISPLAY:-}" ]; then
    VANTREL_COMMAND_LINE="$COMMAND_LINE" exec wine 'C:\Vantrel\raw_launch.exe'
fi

# A silent run without a display: its progress dialog still needs a screen,
# so it gets one of its own that nobody looks at, gone when the run is.
command -v Xvfb >/dev/null || need_packages
trap stop_display EXIT
start_display || exit 3
STATUS=0
VANTREL_COMMAND_LINE="$COMMAND_LINE" wine 'C:\Vantrel\raw_launch.exe' || STATUS=$?
# Wine's own processes of this run let go of the screen before it goes.
timeout 30 wineserver -w || true
exit "$STATUS"
