#!/usr/bin/env bash
# The editor program as users start it (its main, its window run as it runs),
# driven by keys under Xvfb, checked by the files it leaves:
# - a change stored into memory reaches a recovery file within seconds; after
#   kill -9 the next start offers it back, and restoring it gives the change
#   back to Write Out;
# - Write Out after another program cut the class file to its first class
#   asks twice and, by default, keeps the classes the disk removed; the file
#   as loaded is among the kept versions;
# - started on the Tangos' class file (as Explorer passes a file dropped on
#   the program) while tvcc.cfg names the Seals, it loads and writes the
#   Tangos' file and leaves tvcc.cfg and the Seals' file as they are.
#   program_test.sh EDITOR EXAMPLES
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/editordriver.sh" "$1"
examples=$2
driver_start
seals="$GAME/tvclass_seals.cfg"
cp "$examples/tvclass_seals.cfg" "$seals"
[ "$(class_count "$seals")" = 7 ] || driver_fail "the sample has not 7 classes"

echo "recovery after kill -9"
editor_start
has_focus "$(main_window)" || driver_fail "the window did not take the focus at start"
change_health 77
wait_for_recovery 10 || driver_fail "no recovery file within 10 s of the change"
editor_kill
editor_start
has_focus "$(question_window)" || driver_fail "the recovery question did not take the focus"
editor_answer Return # Restore, the default
title=$(xdotool getwindowname "$(main_window)")
case $title in
*Pointman*'*') ;;
*) driver_fail "after Restore the title is \"$title\"" ;;
esac
editor_keys ctrl+s
sleep 1
grep -q '^health 77' "$seals" || driver_fail "Write Out after the restore did not write health 77"
[ "$(class_count "$seals")" = 7 ] || driver_fail "Write Out after the restore wrote $(class_count "$seals") classes"
[ -z "$(recovery_files)" ] || driver_fail "the recovery file stayed after Write Out"
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"

echo "Write Out after another program cut the file to its first class"
cp "$examples/tvclass_seals.cfg" "$seals"
rm -rf "$DATA_HOME"/*/backups
editor_start
change_health 66
awk '{ print } /^}/ { exit }' "$seals" >"$DRIVER_WORK/cut" && cat "$DRIVER_WORK/cut" >"$seals"
[ "$(class_count "$seals")" = 1 ] || driver_fail "the file was not cut"
editor_keys ctrl+s
editor_answer Return # Merge
editor_answer Return # Keep Them
sleep 1
! question_window 1 >/dev/null || driver_fail "a third question came"
[ "$(class_count "$seals")" = 7 ] || driver_fail "the merge wrote $(class_count "$seals") classes, not 7"
grep -q '^health 66' "$seals" || driver_fail "the merge did not write health 66"
kept=$(find "$DATA_HOME" -path '*/backups/*' -type f -name '*.cfg' | while read -r version; do
    class_count "$version"
done | sort -n | tr '\n' ' ')
[ "$kept" = "1 7 " ] || driver_fail "the kept versions hold $kept classes, not the cut file and the file as loaded"
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"

echo "started on the Tangos' class file"
tangos="$GAME/tvclass_tangos.cfg"
cp "$examples/tvclass_tangos.cfg" "$tangos"
cp "$examples/tvclass_seals.cfg" "$seals"
printf '[TolvaneClassCreator]\nSeals 1\n' >"$GAME/tvcc.cfg"
cp "$GAME/tvcc.cfg" "$DRIVER_WORK/settings" && cp "$seals" "$DRIVER_WORK/seals"
editor_start "$tangos"
title=$(xdotool getwindowname "$(main_window)")
case $title in
*Rifleman*) ;;
*) driver_fail "started on the Tangos' file, the title is \"$title\"" ;;
esac
change_health 44
editor_keys ctrl+s
sleep 1
grep -q '^health 44' "$tangos" || driver_fail "Write Out did not write health 44 to the Tangos' file"
cmp -s "$seals" "$DRIVER_WORK/seals" || driver_fail "the Seals' file changed"
cmp -s "$GAME/tvcc.cfg" "$DRIVER_WORK/settings" || driver_fail "tvcc.cfg changed: $(cat "$GAME/tvcc.cfg")"
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"

echo "the class table beside the form again in the next run"
settings="$DRIVER_WORK/config/Tolvane/Tolvane Class Creator.ini"
width() {
    xdotool getwindowgeometry "$(main_window)" | awk '/Geometry:/ { split($2, size, "x"); print size[1] }'
}
editor_start
alone=$(width)
editor_keys ctrl+t
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"
grep -q '^panes=' "$settings" || driver_fail "the panes were not kept in $settings"
editor_start
sleep 1
[ "$(width)" -gt "$alone" ] || driver_fail "the window is $(width) wide as without the class table ($alone)"
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"
echo "PASS"
