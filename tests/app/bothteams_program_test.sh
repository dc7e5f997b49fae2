#!/usr/bin/env bash
# Both teams edited in one run of the editor program (its main, its window
# run as it runs), driven by keys under Xvfb: a Seals class changed in the
# form, Show Other Team, the Tangos' last row chosen in the class table and
# changed in the form, and one Write Out writes both teams' files.
#   bothteams_program_test.sh EDITOR EXAMPLES
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/editordriver.sh" "$1"
examples=$2
driver_start
seals="$GAME/tvclass_seals.cfg"
tangos="$GAME/tvclass_tangos.cfg"
cp "$examples/tvclass_seals.cfg" "$seals"
cp "$examples/tvclass_tangos.cfg" "$tangos"
last_health() {
    grep '^health ' "$1" | tail -n 1
}
first_health() {
    grep -m 1 '^health ' "$1"
}

editor_start
has_focus "$(main_window)" || driver_fail "the window did not take the focus at start"
change_health 77
editor_keys ctrl+shift+t
# The class table is a pane of the window; it takes the focus as it opens.
keys_into "$(main_window)" ctrl+End
title=$(xdotool getwindowname "$(main_window)")
case $title in
*'Editing Shotgunner (Tangos)'*) ;;
*) driver_fail "the form did not follow the Tangos' last row: the title is \"$title\"" ;;
esac
editor_keys alt+t ctrl+a
editor_type 55
editor_keys alt+s ctrl+s
sleep 1
[ "$(first_health "$seals")" = "health 77" ] || driver_fail "the Seals' file holds $(first_health "$seals")"
[ "$(last_health "$tangos")" = "health 55" ] || driver_fail "the Tangos' file holds $(last_health "$tangos")"
[ "$(class_count "$seals")" = 7 ] || driver_fail "the Seals' file has $(class_count "$seals") classes"
[ "$(class_count "$tangos")" = 8 ] || driver_fail "the Tangos' file has $(class_count "$tangos") classes"
title=$(xdotool getwindowname "$(main_window)")
case $title in
*'*') driver_fail "after Write Out the title still marks unsaved changes: \"$title\"" ;;
esac
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"
echo "PASS"
