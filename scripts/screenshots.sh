#!/usr/bin/env bash
# Pictures of the program's windows: builds when needed, starts Vantrel.exe
# without arguments in a throwaway prefix under Xvfb, and writes one PNG per
# page of the main window (page-0-options.png ...) into the given folder,
# then one of the progress dialog.
#   bash scripts/screenshots.sh docs/screenshots
# VANTREL_SHOTS_DPI=120 takes them at another screen resolution, to check
# that nothing is clipped there.
set -euo pipefail
source "$(dirname "$0")/env.sh"

OUT=${1:?usage: screenshots.sh <output folder>}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)

need_packages
command -v import >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends imagemagick
if [ ! -f "$BUILD_DIR/Vantrel.exe" ] || [ ! -f "$BUILD_DIR/tests/window_driver.exe" ]; then
    configure_and_build >/dev/null
else
    cmake --build "$BUILD_DIR" --target Vantrel window_driver >/dev/null
fi

export BUILD_DIR="$BUILD_DIR/shots"
make_test_prefix
if [ -n "${VANTREL_SHOTS_DPI:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VANTREL_SHOTS_DPI" /f >/dev/null 2>&1
    wineserver -w
fi
trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT
# A display of its own even when one is set: the pictures show nothing else.
unset DISPLAY
start_display
if declare -F install_scheduler_component >/dev/null; then BUILD_DIR="$BUILD_DIR/.." install_scheduler_component; fi

BIN="$TEST_DRIVE_DIR/bin"
mkdir -p "$BIN"
cp "$BUILD_DIR/../Vantrel.exe" "$BIN/"
# The language packs with their flags, as they ship beside the program.
cp -r "$BUILD_DIR/../Lang" "$BIN/" 2>/dev/null || true
DRIVER="$BUILD_DIR/../tests/window_driver.exe"
# No first-run wizard in the pictures.
wine reg add 'HKCU\Software\Korvex\Vantrel' /v FirstRun /t REG_SZ /d 0 /f >/dev/null 2>&1

# Crops the screen to "x y width height", after a pause to let it paint.
capture() {
    local name=$1 x y w h
    read -r x y w h <<<"$2"
    sleep "${3:-1}"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$OUT/$name.png"
    echo "$OUT/$name.png"
}

# Two tasks of the program's own, so that the Scheduler page shows a list.
cat >"$TEST_DRIVE_DIR/shots_tasks.vbs" <<'VBS'
Set tasks = CreateObject("TaskScheduler.Schedule")
For Each name In Array("Nightly reports", "Weekly Recycle Bin")
    Set task = tasks.Add(name)
    task.Creator = "Vantrel"
    task.ApplicationName = "T:\bin\Vantrel.exe"
    task.Parameters = """/s"" """ & name & """ ""/O0"" ""recycle"""
    task.Commit ""
Next
VBS
wine cscript //nologo 'T:\shots_tasks.vbs' >/dev/null 2>&1 || echo "no tasks for the Scheduler page" >&2
rm -f "$TEST_DRIVE_DIR/shots_tasks.vbs"

# The main window, one picture per tab.
(cd "$BIN" && exec wine Vantrel.exe >/dev/null 2>&1) &
PAGES=(options files folders drive recycle-bin scheduler restore-points about)
for index in "${!PAGES[@]}"; do
    rect=$(wine "$DRIVER" tab Vantrel "$index" | tr -d '\r')
    capture "page-$index-${PAGES[$index]}" "$rect"
done

# A dialog that a page's button opens: selects the tab, presses the button
# on the sheet's current page, pictures the dialog titled
# so and closes it with Cancel.
capture_page_dialog() {
    local tab=$1 button=$2 title=$3 name=$4 rect
    wine "$DRIVER" tab Vantrel "$tab" >/dev/null
    wine "$DRIVER" press-page Vantrel "$button" || return 0
    if rect=$(wine "$DRIVER" wait "$title" 10 | tr -d '\r'); then
        capture "$name" "$rect"
        wine "$DRIVER" press "$title" 2 || true
    fi
}
capture_page_dialog 2 1005 "SubFolder Options" subfolder-options
# The Recycle Bin page's Schedule asks for the task's name first.
capture_page_dialog 4 1004 Vantrel task-name
capture_page_dialog 0 1018 "Custom Algorithm Editor" algorithm-editor
wine "$DRIVER" press Vantrel 2 || true
wineserver -w

# The progress dialog: a command-line run on a large file with the seven
# passes of algorithm 4, which asks first (no "/s"); the driver says Yes,
# waits until a bar has moved, holds the program still while the picture is
# taken (the job would otherwise end before it), and cancels the job.
wine reg add 'HKCU\Software\Korvex\Vantrel' /v Method /t REG_DWORD /d 4 /f >/dev/null 2>&1
mkdir -p "$TEST_DRIVE_DIR/shots"
head -c $((256 * 1024 * 1024)) /dev/zero >"$TEST_DRIVE_DIR/shots/large.bin"
(cd "$BIN" && exec wine Vantrel.exe 'T:\shots\large.bin' >/dev/null 2>&1) &
wine "$DRIVER" wait "Shredding....." 60 Vantrel >/dev/null || true
HOLD=$(mktemp)
wine "$DRIVER" hold "Shredding....." 4000 >"$HOLD" &
HOLDER=$!
for try in $(seq 1 100); do [ -s "$HOLD" ] && break; sleep 0.1; done
if rect=$(tr -d '\r' <"$HOLD") && [ -n "$rect" ]; then
    capture progress-dialog "$rect" 0.5
    wait "$HOLDER" || true
    wine "$DRIVER" press "Shredding....." 2 || true
else
    echo "no progress dialog came up" >&2
fi
rm -f "$HOLD"
wineserver -w

# The first-run wizard's pages in English, then in German with the main
# window behind it. Cancel ends the first run, so it is set again between.
wizard_pages() {  # <title> <picture name>
    local rect
    if rect=$(wine "$DRIVER" wait "$1" 60 | tr -d '\r'); then
        capture "$2" "$rect"
        wine "$DRIVER" press "$1" 12324 || true  # Next >
        capture "$2-restore-points" "$rect"
        wine "$DRIVER" press "$1" 2 || true
    else
        echo "no wizard titled $1 came up" >&2
    fi
}
wine reg add 'HKCU\Software\Korvex\Vantrel' /v FirstRun /t REG_SZ /d 1 /f >/dev/null 2>&1
(cd "$BIN" && exec wine Vantrel.exe >/dev/null 2>&1) &
wizard_pages Wizard first-run-wizard
wine "$DRIVER" press Vantrel 2 || true
wineserver -w
wine reg add 'HKCU\Software\Korvex\Vantrel' /v FirstRun /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Korvex\Vantrel' /v Language /t REG_SZ /d German /f >/dev/null 2>&1
(cd "$BIN" && exec wine Vantrel.exe >/dev/null 2>&1) &
wizard_pages Assistent first-run-wizard-german
rect=$(wine "$DRIVER" tab Vantrel 1 | tr -d '\r')
capture main-window-german "$rect"
wine "$DRIVER" press Vantrel 2 || true
wineserver -w
wineserver -k 2>/dev/null || true
rm -rf "$TEST_DRIVE_DIR/shots"
