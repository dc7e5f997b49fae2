#!/usr/bin/env bash
# The Windows ZIP as a modder gets it, under Wine: unpacked into a folder of
# its own, with nothing else on the DLL search path, both programs start.
# Where Xvfb and xdotool are at hand, the real window then works on a game
# folder: Load Config, a new class name, Write Out, Quit; the file written must
# hold the loaded classes with that name, in its CR LF line ends. Prints the
# time from start to the window being up.
#   unpacked_test.sh ZIP          (WINEPREFIX etc. as scripts/test-windows.sh sets them)
set -euo pipefail
zip=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
examples=$(realpath "$here/../../examples")
# Spaces and a letter outside ASCII in every folder name. (A byte that is no
# UTF-8, as Linux allows, has no Windows name: Wine cannot open such a folder.)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/unpacked test ä.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
source "$here/winedesktop.sh"

mkdir "$scratch/program ä"
(cd "$scratch/program ä" && python3 -m zipfile -e "$zip" .)
top=$(find "$scratch/program ä" -name tolvane-class-creator.exe -printf '%h\n' | head -n 1)
[ -n "$top" ] || fail "no tolvane-class-creator.exe in $zip"
for file in tolvane-classfile.exe README.txt examples/tvclass_seals.cfg platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    licences/LGPL-3.txt licences/GPL-3.txt licences/Qt.txt licences/GCC-runtime.txt licences/MinGW-w64-runtime.txt \
    licences/qt6-base-6.4.2-mingw.patch; do
    [ -f "$top/$file" ] || fail "$file missing beside the editor"
done
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH
cd "$top"

version=$(wine ./tolvane-class-creator.exe --version 2>&1 | tr -d '\r') || fail "the editor did not start: $version"
grep -q '^tolvane-class-creator [0-9]' <<<"$version" || fail "the editor's --version printed: $version"
version=$(wine ./tolvane-classfile.exe --version 2>&1 | tr -d '\r') || fail "tolvane-classfile did not start: $version"
grep -q '^tolvane-classfile [0-9]' <<<"$version" || fail "tolvane-classfile's --version printed: $version"
echo "Both programs start from the unpacked ZIP."

if ! haveDesktop; then
    echo "SKIP: the window under Xvfb (Xvfb or xdotool missing)"
    exit 0
fi
game="$scratch/game folder ä"
mkdir "$game"
sed 's/$/\r/' "$examples/tvclass_seals.cfg" >"$game/tvclass_seals.cfg"
wine ./tolvane-classfile.exe normalize "$(winepath -w "$game/tvclass_seals.cfg")" >"$scratch/normalized.cfg"
first=$(grep -a -m 1 '^classname ' "$scratch/normalized.cfg" | tr -d '\r')
first=${first#classname }
# The writer names each class in a comment above its block too.
sed -e "0,/^\/\/ $first\r\$/s//\/\/ Wine Scout\r/" -e "0,/^classname $first\r\$/s//classname Wine Scout\r/" \
    "$scratch/normalized.cfg" >"$scratch/expected.cfg"
cmp -s "$scratch/normalized.cfg" "$scratch/expected.cfg" && fail "no class name to change in the sample"

startDesktop
started=$(date +%s.%N)
wine ./tolvane-class-creator.exe "$(winepath -w "$game")" >"$scratch/editor.log" 2>&1 &
editor=$!
waitForWindow '^Tolvane Class Creator' $editor
echo "The window is up $(secondsSince "$started") s after start."

keys key ctrl+l
waitFor "titled 'Editing $first \$'"
keys key alt+n ctrl+a
keys type --delay 30 'Wine Scout'
keys key ctrl+s
waitFor "grep -aqs 'Wine Scout' \"\$game/tvclass_seals.cfg\""
keys key ctrl+q
waitFor "! kill -0 $editor 2>/dev/null"
# Write Out keeps the modder's layout; what the game reads is compared in the
# normalized layout, and every line keeps its CR LF.
grep -aqv $'\r$' "$game/tvclass_seals.cfg" && fail "the written class file lost its CR LF line ends"
wine ./tolvane-classfile.exe normalize "$(winepath -w "$game/tvclass_seals.cfg")" >"$scratch/written.cfg"
cmp "$scratch/expected.cfg" "$scratch/written.cfg" || {
    diff -a "$scratch/expected.cfg" "$scratch/written.cfg" | head -20
    fail "the written class file holds other classes than expected"
}
echo "The window loaded, edited and wrote out the class file."
