#!/usr/bin/env bash
# Finds a Qt 6 for MinGW-w64 for the Windows build of the editor and prints its
# folder (the one holding lib/cmake/Qt6/qt.toolchain.cmake):
#   bash scripts/windows-qt.sh static|shared [--build]
# In this order it takes
#   1. $TOLVANE_WINDOWS_QT: an installed Qt for MinGW, or a folder holding the
#      archives qt6-base-*-mingw-KIND.tar.xz with their SHA256SUMS;
#   2. ../windows-qt/ or ../shared/windows-qt/ beside the repository, such a folder
#      of archives;
#   3. with --build only: builds one from Debian's qt6-base source package
#      (scripts/qt-mingw/, about an hour on 2 cores).
# Archives are checked against their checksums and unpacked into
# build-windows-qt/; a second run reuses what it unpacked. Exit status 1 and
# nothing printed when no Qt of that kind is at hand.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:?static or shared}
build=${2:-}
cache="$PWD/build-windows-qt"

isQt() { [ -f "$1/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ -f "$1/lib/cmake/Qt6Core/Qt6CoreConfig.cmake" ]; }
qtKind() { [ -f "$1/bin/Qt6Core.dll" ] && echo shared || echo static; }

fromArchives() {
    local folder=$1 archive sum target
    archive=$(ls "$folder"/qt6-base-*-mingw-"$kind".tar.xz 2>/dev/null | head -n 1) || true
    [ -n "$archive" ] && [ -f "$folder/SHA256SUMS" ] || return 1
    sum=$(sha256sum "$archive" | cut -d' ' -f1)
    if ! grep -q "^$sum  $(basename "$archive")\$" "$folder/SHA256SUMS"; then
        echo "windows-qt: $archive does not match its checksum in $folder/SHA256SUMS; not used" >&2
        return 1
    fi
    target="$cache/$kind-${sum:0:16}"
    if [ ! -f "$target/.unpacked" ]; then
        echo "windows-qt: unpacking $archive" >&2
        rm -rf "$target"
        mkdir -p "$target"
        tar -xJf "$archive" -C "$target"
        touch "$target/.unpacked"
    fi
    for qt in "$target"/*/; do
        isQt "$qt" && { echo "${qt%/}"; return 0; }
    done
    echo "windows-qt: $archive holds no Qt for MinGW" >&2
    return 1
}

if [ -n "${TOLVANE_WINDOWS_QT:-}" ]; then
    qt=$(realpath -m "$TOLVANE_WINDOWS_QT")
    if isQt "$qt" && [ "$(qtKind "$qt")" = "$kind" ]; then echo "$qt"; exit 0; fi
    fromArchives "$qt" && exit 0
fi
for folder in ../windows-qt ../shared/windows-qt; do
    [ -d "$folder" ] && fromArchives "$(realpath "$folder")" && exit 0
done
built="$cache/$kind-from-source"
if isQt "$built"; then echo "$built"; exit 0; fi
if [ "$build" = --build ]; then
    echo "windows-qt: building Qt 6.4.2 ($kind) for MinGW-w64 from Debian's source package; this takes about an hour on 2 cores" >&2
    bash scripts/qt-mingw/build-qt6-mingw.sh "$built" "$kind" cmake/mingw-w64-x86_64.cmake >&2
    isQt "$built" && { echo "$built"; exit 0; }
fi
exit 1
