#!/usr/bin/env bash
# The editor's first start as a double-click starts it: in its own folder,
# which holds the samples in examples/ and the tvcc.cfg an earlier version
# left there, for a user who has not run it yet, on a display of its own
# (Xvfb, driven by xdotool). The program's folder is not opened: the chooser
# asks for the game folder. The samples chosen anyway are refused with the
# offer to copy them; the copy goes into a folder in the user's Documents and
# is opened, and Load Config reads it. Nothing in the program's folder
# changes, and only the copy goes into Recent Folders.
#   firststart_test.sh EDITOR EXAMPLES
set -euo pipefail
editor=$(realpath "$1")
examples=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/first start ä.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# The window helpers of the Windows package tests serve a Linux window too.
source "$here/../windows/winedesktop.sh"
haveDesktop || { echo "SKIP: the first start test needs Xvfb and xdotool"; exit 77; }
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
waitFor "[ -s '$scratch/display' ]"
export DISPLAY=:$(cat "$scratch/display")

program="$scratch/Programs ä/Tolvane Class Creator"
home="$scratch/home ä"
mkdir -p "$program/examples" "$home/Documents"
cp "$editor" "$program/"
cp "$examples/tvclass_seals.cfg" "$examples/tvclass_tangos.cfg" "$program/examples/"
printf '1\n' >"$program/tvcc.cfg"
installed() { (cd "$program" && find . -type f -exec sha256sum {} + | sort); }
before=$(installed)

(cd "$program" && exec env -i HOME="$home" DISPLAY="$DISPLAY" LANG=C.UTF-8 XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$scratch" ./tolvane-class-creator \
    >"$scratch/editor.log" 2>&1) &
editorProcess=$!
# Types a folder into the chooser titled so, and Enter, until it closes
# (the chooser may fill its box itself while it reads the folder it shows).
chooseIn() {
    waitFor "window=\$(xdotool search --onlyvisible --name '$2' 2>/dev/null | tail -n 1); [ -z \"\$window\" ] \
        || { keys key ctrl+a && keys type --delay 20 '$1' && keys key Return; sleep 1; false; }"
}

waitForWindow '^Choose the game folder' $editorProcess
chooseIn "$program/examples" '^Choose the game folder'
waitForWindow '^Tolvane Class Creator$' $editorProcess
keys key Return
# The chooser opens in the Documents folder: Enter alone chooses it.
waitForWindow '^Copy the samples' $editorProcess
waitFor "! xdotool search --onlyvisible --name '^Copy the samples' >/dev/null 2>&1 || { keys key Return; sleep 1; false; }"
waitForWindow '^Tolvane Class Creator ©' $editorProcess
first=$(grep -a -m 1 '^classname ' "$examples/tvclass_seals.cfg" | tr -d '\r')
keys key ctrl+l
waitFor "titled 'Editing ${first#classname } \$'"
keys key ctrl+q
waitFor "! kill -0 $editorProcess 2>/dev/null"

copy="$home/Documents/Tolvane samples"
for name in tvclass_seals.cfg tvclass_tangos.cfg; do
    cmp "$examples/$name" "$copy/$name" || fail "$name was not copied as it is"
done
[ "$(installed)" = "$before" ] || fail "the program's folder changed: $(installed)"
recent=$(grep -a '^recentFolders=' "$home/.config/Tolvane/Tolvane Class Creator.ini") \
    || fail "no Recent Folders: $(cat "$scratch/editor.log")"
case "$recent" in
*"Tolvane samples"*) ;;
*) fail "the copy is not in Recent Folders: $recent" ;;
esac
case "$recent" in *Programs*) fail "the program's folder went into Recent Folders: $recent" ;; esac
echo "The first start in the program's folder asked, refused the samples there and opened a copy of them."
