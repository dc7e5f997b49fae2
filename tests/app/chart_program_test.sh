#!/usr/bin/env bash
# The chart saved by the editor program as users start it (its main, its
# window run as it runs), driven by keys under Xvfb: the sample classes'
# health as a PNG and an SVG picture of the sizes typed in, checked by the
# files it leaves.
#   chart_program_test.sh EDITOR EXAMPLES SVG
# SVG: ON where the editor saves SVG pictures.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/editordriver.sh" "$1"
examples=$2
svg_built=$3
driver_start
# The pictures go where the file dialog is told by typing; xdotool types
# letters beyond ASCII unreliably, so this folder has a space, not a 0xE4.
pictures="$DRIVER_WORK/saved charts"
mkdir -p "$pictures"
cp "$examples/tvclass_seals.cfg" "$examples/tvclass_tangos.cfg" "$GAME/"
sums=$(cat "$GAME"/*.cfg | md5sum)

# The chart, a pane of the editor window: View > Chart, after Load Config.
open_chart() {
    editor_keys ctrl+l alt+v h
    chart=$(main_window) || driver_fail "no editor window"
}

# Saves the chart with the button's Alt key at WIDTH x HEIGHT into FILE: the
# size asked first, then the file.
save_chart() {
    local button=$1 width=$2 height=$3 file=$4 id
    # shellcheck disable=SC2086 # the keys, one word each
    keys_into "$chart" $button
    id=$(editor_window '^Save Chart as ') || driver_fail "no picture size asked after $button"
    keys_into "$id" ctrl+a
    editor_type "$width"
    keys_into "$id" Tab ctrl+a
    editor_type "$height"
    keys_into "$id" Return
    id=$(editor_window '^Save Chart$') || driver_fail "no file asked after the size"
    keys_into "$id" ctrl+a
    editor_type "$file"
    keys_into "$id" Return
    for _ in $(seq 50); do
        [ -s "$file" ] && return 0
        sleep 0.1
    done
    driver_fail "$file was not written"
}

# The width and height a PNG file's header gives.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d x %d\n", $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

echo "the chart as PNG and SVG"
editor_start
main_window >/dev/null || driver_fail "no editor window"
open_chart
png="$pictures/health chart.png"
# The buttons have no Alt letters: Tab from the value list, past the chart's
# table (the buttons box orders them as it shows them).
save_chart "alt+h Tab Tab Return" 640 400 "$png"
[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || driver_fail "$png is no PNG picture"
[ "$(png_size "$png")" = "640 x 400" ] || driver_fail "the PNG is $(png_size "$png"), not 640 x 400"
[ "$(stat -c %s "$png")" -gt 4000 ] || driver_fail "the PNG is nearly blank: $(stat -c %s "$png") bytes"
if [ "$svg_built" = ON ]; then
    svg="$pictures/health chart.svg"
    save_chart "alt+h Tab Tab Tab Return" 900 500 "$svg"
    grep -q 'viewBox="0 0 900 500"' "$svg" || driver_fail "the SVG is not 900 x 500: $(grep -o 'viewBox="[^"]*"' "$svg")"
    # The titles, a class and its value, the axis's last tick and each team's
    # mean (the Seals' 730 over 7 classes, the Tangos' 840 over 8).
    for text in 'Health of 15 classes: 7 Seals, 8 Tangos' '>Health<' '>Bodyguard<' '>130<' '>150<' \
        '>Seals mean 104.29<' '>Tangos mean 105<'; do
        grep -q "$text" "$svg" || driver_fail "the SVG holds no \"$text\""
    done
fi
[ "$(cat "$GAME"/*.cfg | md5sum)" = "$sums" ] || driver_fail "a class file changed"
editor_keys ctrl+q
editor_wait || driver_fail "the editor ended with status $?"
echo "PASS"
