#!/usr/bin/env bash
# Builds the editor, tolvane-classfile and their tests for 64-bit Windows with
# MinGW-w64, runs the tests under Wine (in a Wine prefix of their own, on the
# offscreen platform, without a display), and makes the Windows ZIP and the
# installer and checks them, unpacked and installed:
#   bash scripts/test-windows.sh [--build-qt]     (scripts/test.sh runs it last)
# The editor needs a Qt for MinGW; scripts/windows-qt.sh says where it is
# looked for, and --build-qt builds one when none is found (about an hour).
# Without one, only the class data library, tolvane-classfile and the
# editor's Windows resources are built and tested.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
build="$PWD/build-windows"

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
# No Mono, no Gecko, no menu entries: nothing the tests need.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY WINEPATH
# One wine server for the build's exporters and all tests, so that each
# program starts in a fraction of a second (exit status 2: it runs already).
mkdir -p "$WINEPREFIX"
wineserver --persistent </dev/null >/dev/null 2>&1 || [ $? -eq 2 ]
trap 'wineserver --kill' EXIT
wineboot --init >"$build/wineboot.log" 2>&1
# Wine's own Tahoma and MS Sans Serif (Debian's fonts-wine), the window's
# fonts, count only in the prefix's font folder.
cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || echo "fonts-wine missing: the window's texts will not fit"

# A Qt of DLLs serves the tests and the ZIP from one build; a static one only
# the tests (its licence wants the ZIP to ship Qt as DLLs).
buildQt=""
[ "${1:-}" = --build-qt ] && buildQt=--build
qt=$(bash scripts/windows-qt.sh shared $buildQt) || qt=$(bash scripts/windows-qt.sh static) || qt=""
if [ -n "$qt" ]; then
    toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
    options=(-DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
             -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
else
    # CI must not pass without the Windows editor's tests.
    if [ -n "${CI:-}" ]; then
        echo "No Qt for MinGW found (scripts/windows-qt.sh says where it is looked for): the Windows editor is not tested" >&2
        exit 1
    fi
    toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
    icon="$PWD/build/res/tolvane-class-creator.ico"
    if [ ! -f "$icon" ]; then
        [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
        cmake --build build --target windows-icon
    fi
    options=(-DTOLVANE_QT=OFF -DTOLVANE_WINDOWS_ICON="$icon")
fi
# A build folder made with another Qt (or none) starts afresh.
if ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$build/CMakeCache.txt" 2>/dev/null \
    && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:UNINITIALIZED=$toolchain" "$build/CMakeCache.txt" 2>/dev/null; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
# ccache, where installed, keeps a second build short.
command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${options[@]}" \
    -DTOLVANE_GTEST_SOURCE_DIR=/usr/src/googletest
cmake --build "$build"
# Wine's desktop process starts with the first window of a program and ends
# a few seconds after the last program on the desktop. One that a test
# started holds that test's output pipe, and so keeps ctest waiting, for as
# long as later tests use the desktop (seen: two minutes). The editor, idle on
# the offscreen platform during the tests, keeps one up that no test started.
if [ -n "$qt" ]; then
    mkdir -p "$build/desktop-keeper"
    (cd "$build/desktop-keeper" && QT_QPA_PLATFORM=offscreen "$build/winewithqt.sh" "$build/tolvane-class-creator.exe" . \
        </dev/null >"$build/desktop-keeper.log" 2>&1 &)
fi
# The ZIP is made and checked even when a test failed; the status tells.
status=0
# Under load Wine now and then fails to start a program at all; such a test
# gets one more run, and a real fault fails both.
ctest --test-dir "$build" --output-on-failure --timeout 300 --parallel "$(nproc)" --repeat until-pass:2 || status=$?

if [ -z "$qt" ]; then
    echo "The Windows editor was not built: no Qt for MinGW found; see scripts/windows-qt.sh, or run bash scripts/test-windows.sh --build-qt (about an hour)."
elif [ -f "$qt/bin/Qt6Core.dll" ]; then
    rm -f "$build"/tolvane-class-creator-*-win64.zip "$build"/tolvane-class-creator-*-win64-setup.exe
    (cd "$build" && cpack >/dev/null)
    zip=$(ls "$build"/tolvane-class-creator-*-win64.zip)
    bash tests/windows/unpacked_test.sh "$zip" || status=1
    echo "Windows ZIP: $zip, $(du -k "$zip" | cut -f1) KiB"
    if setup=$(ls "$build"/tolvane-class-creator-*-win64-setup.exe 2>/dev/null); then
        bash tests/windows/installer_test.sh "$setup" "$zip" || status=1
        echo "Windows installer: $setup, $(du -k "$setup" | cut -f1) KiB"
    else
        echo "The Windows installer was not made: makensis (Debian's nsis) is missing." >&2
        status=1
    fi
else
    echo "The Windows ZIP was not made: it ships Qt as DLLs, and the Qt for MinGW found is static."
fi
echo "The Windows part took $(($(date +%s) - started)) s."
exit $status
