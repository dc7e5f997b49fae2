#!/usr/bin/env bash
# The Windows installer as a user runs it, under Wine: a silent install puts
# exactly the ZIP's files into %LOCALAPPDATA%\Programs, a Start-menu shortcut
# and an uninstall entry for the user. Started from the shortcut, as a
# double-click starts it, the editor asks for the game folder (its own folder
# holds no class file); started with a class file, it opens that file's
# folder, which the next start from the shortcut opens again. The README's
# command line checks a game folder in cmd. A silent uninstall removes every
# file it installed and leaves the user's files alone. Prints the time from
# the shortcut's start to the window.
#   installer_test.sh SETUP.exe ZIP     (WINEPREFIX etc. as scripts/test-windows.sh sets them)
set -euo pipefail
setup=$(realpath "$1")
zip=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/installer test ä.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
source "$here/winedesktop.sh"
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH
haveDesktop || { echo "SKIP: the installer test needs Xvfb and xdotool"; exit 0; }
startDesktop
# The shortcut must start the editor in the program's folder: here it would
# open this folder, which holds a settings file, and ask nothing.
mkdir "$scratch/shell"
printf '1\r\n' >"$scratch/shell/tvcc.cfg"
cd "$scratch/shell"

program="$localAppData/Programs/Tolvane Class Creator"
shortcut="$(shellFolder Programs)/Tolvane Class Creator.lnk"
uninstallKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane Class Creator'
# A user who has not run the editor yet.
rm -rf "$roamingAppData/Tolvane" "$program"

wine "$setup" /S
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
wine reg query "$uninstallKey" /v UninstallString | grep -q 'Uninstall.exe' || fail "no uninstall entry"
(cd "$program" && find . -type f | sort) >"$scratch/installed.txt"
python3 -c 'import sys, zipfile
for name in sorted("./" + n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/")):
    print(name)' "$zip" | sed '$a ./Uninstall.exe' | sort >"$scratch/zipped.txt"
diff "$scratch/zipped.txt" "$scratch/installed.txt" || fail "the installer's files differ from the ZIP's"
echo "Installed into $program, $(du -sk "$program" | cut -f1) KiB."

# A double-click on the shortcut: the program's folder holds no class file
# and no folder was used before, so the window opens with the chooser.
started=$(date +%s.%N)
wine start /unix "$shortcut"
waitForWindow '^Tolvane Class Creator'
echo "Started from the shortcut, the window is up $(secondsSince "$started") s after the start."
editorWindow=$window
# (Wine's folder chooser shows a title of its own.)
chooser='^(Choose the game folder|Select Folder)'
waitForWindow "$chooser"
keys key Escape
waitFor "! xdotool search --onlyvisible --name '$chooser' >/dev/null 2>&1"
window=$editorWindow
keys key ctrl+q
waitFor "! xdotool search --name '^Tolvane Class Creator' >/dev/null 2>&1"
[ "$(cd "$program" && find . -type f | sort)" = "$(cat "$scratch/installed.txt")" ] \
    || fail "a file was written into the program's folder"
grep -qs recentFolders "$roamingAppData/Tolvane/Tolvane Class Creator.ini" && fail "the program's folder went into Recent Folders"

# A class file dropped on the program opens its folder; the next start from
# the shortcut opens that folder again.
game="$scratch/game ä"
mkdir "$game"
cp "$program/examples/"*.cfg "$game/"
first=$(grep -a -m 1 '^classname ' "$game/tvclass_seals.cfg" | tr -d '\r')
first=${first#classname }
for start in "$(winepath -w "$game/tvclass_seals.cfg")" shortcut; do
    if [ "$start" = shortcut ]; then wine start /unix "$shortcut"; else wine start /unix "$program/tolvane-class-creator.exe" "$start"; fi
    waitForWindow '^Tolvane Class Creator'
    keys key ctrl+l
    waitFor "titled 'Editing $first \$'"
    keys key ctrl+q
    waitFor "! xdotool search --name '^Tolvane Class Creator' >/dev/null 2>&1"
done
echo "A class file given opens its folder, and the shortcut opens it again."

# The game folder used last is gone: Write Out says so in one box and
# writes nothing anywhere.
mv "$game" "$game moved"
wine start /unix "$shortcut"
waitForWindow '^Tolvane Class Creator'
editorWindow=$window
keys key ctrl+s
waitForWindow '^Game Folder$'
keys key Return
waitFor "! xdotool search --onlyvisible --name '^Game Folder$' >/dev/null 2>&1"
window=$editorWindow
keys key ctrl+q
waitFor "! xdotool search --name '^Tolvane Class Creator' >/dev/null 2>&1"
[ -e "$game" ] && fail "Write Out in a gone game folder made it again"
[ "$(cd "$program" && find . -type f | sort)" = "$(cat "$scratch/installed.txt")" ] \
    || fail "Write Out in a gone game folder wrote into the program's folder"
mv "$game moved" "$game"
echo "A game folder that is gone gets one message, and nothing is written."

# The README's check of a game folder, as typed into cmd: the settings file
# and a class's own config file are skipped, the clean class files pass.
printf '1\r\n' >"$game/tvcc.cfg"
printf 'bind w +forward\r\n' >"$game/pointman.cfg"
{
    printf 'cd /d "%s"\r\n' "$(winepath -w "$game")"
    grep -a -A1 '^    cd /d "C:\\Games\\Tolvane\\mod"' "$program/README.txt" | tail -n 1
} >"$scratch/check.bat"
grep -q 'tolvane-classfile.exe" check \*.cfg' "$scratch/check.bat" || fail "README.txt lacks the folder check for cmd"
status=0
wine cmd /c "$(winepath -w "$scratch/check.bat")" >"$scratch/check.txt" 2>&1 || status=$?
grep -aq 'tvcc.cfg skipped: it is the editor' "$scratch/check.txt" && [ $status -eq 0 ] \
    || fail "the README's folder check gave status $status: $(cat "$scratch/check.txt")"
echo "The README's folder check works in cmd."

# The user's files, the settings and a backup stay when the program goes;
# so does a file the user made in the program's folder, and nothing else.
mkdir -p "$localAppData/Tolvane Class Creator/backups"
echo backup >"$localAppData/Tolvane Class Creator/backups/kept.cfg"
printf '1\r\n' >"$program/examples/tvcc.cfg"
wine "$program/Uninstall.exe" /S
waitFor "! wine reg query '$uninstallKey' >/dev/null 2>&1 && [ ! -e \"\$program/Uninstall.exe\" ]"
[ "$(cd "$program" && find . -type f)" = "./examples/tvcc.cfg" ] \
    || fail "the uninstaller left other files, or removed the user's: $(cd "$program" && find . -type f)"
[ -e "$shortcut" ] && fail "the uninstaller left the Start-menu shortcut"
for kept in "$game/tvclass_seals.cfg" "$roamingAppData/Tolvane/Tolvane Class Creator.ini" \
    "$localAppData/Tolvane Class Creator/backups/kept.cfg"; do
    [ -f "$kept" ] || fail "the uninstaller removed $kept"
done
rm -rf "$program" "$localAppData/Tolvane Class Creator"
echo "The uninstaller removed what it installed and left the user's files."
