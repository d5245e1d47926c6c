# Shared by the scripts: installs what the build and the tests need, sets up
# a throwaway Wine prefix with the test drive for the tests, and the kept one
# scripts/run.sh uses. Sourced, not run.

ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT_DIR/build}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win32
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# A mirror caught mid-sync fails one index file; the lists that did arrive
# are enough to install from, so the update is tried again and then let go.
update_package_lists() {
    local try
    for try in 1 2 3; do
        apt-get update -q && return 0
        sleep 5
    done
    echo "apt-get update failed three times; installing from the lists it has" >&2
}

need_packages() {
    local missing=()
    command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686-posix)
    command -v i686-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-i686)
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
    dpkg -s wine32:i386 >/dev/null 2>&1 || missing+=(wine wine32:i386)
    command -v Xvfb >/dev/null || missing+=(xvfb xauth)
    command -v mkfs.ext2 >/dev/null || missing+=(e2fsprogs)
    command -v losetup >/dev/null || missing+=(mount)
    command -v chmcmd >/dev/null || missing+=(fp-utils)
    # NTFS images for the tests of what shredding leaves in the MFT.
    command -v mkntfs >/dev/null && command -v ntfs-3g >/dev/null || missing+=(ntfs-3g)
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            dpkg --add-architecture i386
        fi
        update_package_lists
        install_packages "${missing[@]}"
    fi
}

# When the i386 index lags behind the amd64 one (a mirror mid-sync), the
# i386 libraries cannot match the installed amd64 ones, which multiarch
# demands; both are then pinned to the version the i386 index offers.
install_packages() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" && return 0
    local pins=() round dep name version out
    for round in 1 2 3 4 5 6; do
        out=$(apt-get install -s -y --no-install-recommends --allow-downgrades "$@" "${pins[@]}" 2>&1) || true
        grep -q "unmet dependencies" <<<"$out" || break
        for dep in $(grep -oE "Depends: [a-z0-9.+-]+:i386" <<<"$out" | awk '{print $2}' | sort -u); do
            name=${dep%:i386}
            version=$(apt-cache policy "$dep" | awk '/Candidate/{print $2}')
            pins+=("$name=$version" "$dep=$version")
        done
    done
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends --allow-downgrades "$@" "${pins[@]}"
}

configure_and_build() {
    # A compiler cache, when the machine has one, lets several checkouts share their objects.
    local launcher=()
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT_DIR}
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT_DIR/cmake/toolchain-i686-mingw.cmake" "${launcher[@]}" "$@"
    cmake --build "$BUILD_DIR"
}

# A fresh prefix inside the build folder. Z: (the whole Linux file system) is
# removed; T: is a folder of the build, the only place tests shred.
make_test_prefix() {
    mkdir -p "$BUILD_DIR"
    export WINEPREFIX="$BUILD_DIR/wineprefix"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    rm -f "$WINEPREFIX/dosdevices/z:"
    export TEST_DRIVE_DIR="$BUILD_DIR/testdrive"
    rm -rf "$TEST_DRIVE_DIR"
    mkdir -p "$TEST_DRIVE_DIR"
    ln -sfn "$TEST_DRIVE_DIR" "$WINEPREFIX/dosdevices/t:"
    # Without a window manager every window close otherwise waits about 2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    export VANTREL_TEST_ROOT='T:\'
    # Wine's shell Recycle Bin is the XDG trash: the tests' own, never the user's.
    export XDG_DATA_HOME="$BUILD_DIR/xdg"
    mkdir -p "$XDG_DATA_HOME"
}

# The prefix scripts/run.sh starts the program in, made when missing and kept
# between runs: VANTREL_RUN_PREFIX (default build/runprefix). Its T: is the
# folder VANTREL_RUN_DRIVE (default build/rundrive), made when missing; its Z:
# (the whole Linux file system) is removed, so a mistyped target cannot reach
# the machine's own files. Exports WINEPREFIX and RUN_DRIVE_DIR, both absolute
# (Wine takes no other prefix).
make_run_prefix() {
    local prefix=${VANTREL_RUN_PREFIX:-$BUILD_DIR/runprefix}
    local drive=${VANTREL_RUN_DRIVE:-$BUILD_DIR/rundrive}
    mkdir -p "$prefix" "$drive"
    export WINEPREFIX RUN_DRIVE_DIR
    WINEPREFIX=$(cd "$prefix" && pwd)
    RUN_DRIVE_DIR=$(cd "$drive" && pwd)
    if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        echo "Making the Wine prefix $WINEPREFIX (once)" >&2
        wineboot -i >/dev/null 2>&1 || { echo "wineboot could not make $WINEPREFIX" >&2; return 1; }
        wineserver -w
    fi
    # On every run: the drive may be another folder now, and a prefix named by
    # VANTREL_RUN_PREFIX may have been made elsewhere, with its Z:.
    rm -f "$WINEPREFIX/dosdevices/z:"
    ln -sfn "$RUN_DRIVE_DIR" "$WINEPREFIX/dosdevices/t:"
}

XVFB_PID=
start_display() {
    if [ -n "${DISPLAY:-}" ]; then return; fi
    local number
    for number in $(seq 91 120); do
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        sleep 1
        if kill -0 "$XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$number"
            return
        fi
    done
    echo "Could not start Xvfb" >&2
    return 1
}

stop_display() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

# The task-scheduling component in the prefix named by WINEPREFIX (already
# exported): build/Sched.dll copied to C:\windows\system32 and registered.
# Test prefixes go without it unless a test installs it.
install_scheduler_component() {
    local prefix="${1:-$WINEPREFIX}"
    [ -f "$BUILD_DIR/Sched.dll" ] || { echo "no $BUILD_DIR/Sched.dll" >&2; return 1; }
    cp "$BUILD_DIR/Sched.dll" "$prefix/drive_c/windows/system32/Sched.dll"
    WINEPREFIX="$prefix" wine regsvr32 /s 'C:\windows\system32\Sched.dll'
}

# Only for building the installer (scripts/package.sh): NSIS's makensis.
need_packaging_packages() {
    if ! command -v makensis >/dev/null; then
        echo "Installing: nsis"
        update_package_lists
        install_packages nsis
    fi
}
