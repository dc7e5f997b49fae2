#!/usr/bin/env bash
# Builds the class data library, tolvane-classfile and their tests for 64-bit
# Windows with MinGW-w64 and runs the tests under Wine, in a Wine prefix of
# their own and without a display. The editor's Windows resources are compiled
# with windres on the way, with the icon the Linux build draws:
#   bash scripts/test-windows.sh     (scripts/test.sh runs it last)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$PWD/build-windows"

icon="$PWD/build/res/tolvane-class-creator.ico"
if [ ! -f "$icon" ]; then
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --target windows-icon
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DTOLVANE_QT=OFF \
    -DTOLVANE_GTEST_SOURCE_DIR=/usr/src/googletest \
    -DTOLVANE_WINDOWS_ICON="$icon"
cmake --build "$build"

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
# No Mono, no Gecko, no menu entries: nothing the tests need.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
# One wine server for all tests, so that each test program starts in a fraction
# of a second (exit status 2: it runs already).
mkdir -p "$WINEPREFIX"
wineserver --persistent </dev/null >/dev/null 2>&1 || [ $? -eq 2 ]
trap 'wineserver --kill' EXIT
wineboot --init >"$build/wineboot.log" 2>&1
ctest --test-dir "$build" --output-on-failure --timeout 300 --parallel "$(nproc)"
