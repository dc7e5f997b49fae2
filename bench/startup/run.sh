#!/usr/bin/env bash
# Start-up of the editor program: from process start to the first paint of
# its window, offscreen on a 1920 x 1080 screen at 96 dpi, in a game folder
# with the sample class files, N runs each, interleaved. The yardstick is a
# plain dialog with the same 95 controls built by hand; the goal: the editor
# takes at most 1.10 times its processor time and at most 2 MiB more peak
# memory. The same dialog with the form's own texts shows how much of the
# gap is painting those texts. An empty dialog and a dialog with one label
# show what any window costs (the first text loads the font configuration).
# The offscreen platform's own screen, 800 x 600, is smaller than the form,
# which then steps its font down, and in a folder without class files the
# editor opens the folder chooser: neither is a start the yardstick makes.
#   bash bench/startup/run.sh [RUNS]        (BUILD_DIR picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-40}
build=${BUILD_DIR:-build-bench}
programs=(startup_probe plain_dialog_probe form_texts_dialog_probe empty_dialog_probe label_dialog_probe)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_BENCH=ON -DTOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target "${programs[@]}" >/dev/null
probes="$PWD/$build/bench/startup"
here="$PWD/bench/startup"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/tvclass_seals.cfg examples/tvclass_tangos.cfg "$work"
cd "$work"
echo '{"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1920, "height": 1080,
  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}' >screen.json
export QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" # the editor's settings and data stay here
python3 "$here/timeruns.py" "$runs" "${programs[@]/#/$probes/}"
