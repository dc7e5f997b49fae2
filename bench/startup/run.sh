#!/usr/bin/env bash
# Start-up time of the editor program against an empty QDialog program: from
# process start to the first paint of the window, offscreen, N runs each,
# interleaved. Prints the medians and their ratio (goal: at most 1.4). A
# dialog with one label is timed as well: the first text of any window loads
# the font configuration, which the empty dialog never does.
#   bash bench/startup/run.sh [RUNS]        (BUILD_DIR picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-40}
build=${BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_BENCH=ON -DTOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target startup_probe empty_dialog_probe label_dialog_probe >/dev/null
editor="$PWD/$build/bench/startup/startup_probe"
empty="$PWD/$build/bench/startup/empty_dialog_probe"
label="$PWD/$build/bench/startup/label_dialog_probe"

# The editor reads tvcc.cfg from its working directory: give it an empty one.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/config" # the editor's recent folders stay here

# Microseconds one run of a program takes.
run_us() {
    local start=$EPOCHREALTIME
    timeout 30 "$1" >/dev/null 2>&1 || { echo "$1 did not reach its first paint" >&2; exit 1; }
    local end=$EPOCHREALTIME
    echo $((10#${end/./} - 10#${start/./}))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for program in "$editor" "$empty" "$label"; do run_us "$program" >/dev/null; done # warm the caches
: >editor.us
: >empty.us
: >label.us
for ((i = 0; i < runs; ++i)); do
    run_us "$editor" >>editor.us
    run_us "$empty" >>empty.us
    run_us "$label" >>label.us
done
awk -v runs="$runs" -v editor="$(median <editor.us)" -v empty="$(median <empty.us)" -v label="$(median <label.us)" 'BEGIN {
    printf "runs:           %d each, interleaved\n", runs
    printf "editor window:  %.1f ms (median)\n", editor / 1000
    printf "empty QDialog:  %.1f ms (median)\n", empty / 1000
    printf "label QDialog:  %.1f ms (median)\n", label / 1000
    printf "ratio:          %.2f (goal: at most 1.40)\n", editor / empty
    printf "editor / label: %.2f\n", editor / label
}'
