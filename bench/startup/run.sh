#!/usr/bin/env bash
# Start-up of the editor program: from process start to the first paint of
# its window, offscreen, N runs each, interleaved, with the peak memory of each
# run. The yardsticks: a plain dialog with the same 95 controls built by hand
# (goal: the editor at most 1.10 times its time and at most 1 MiB more peak
# memory), an empty dialog (goal: at most 1.40 times) and a dialog with one
# label, since the first text of any window loads the font configuration.
#   bash bench/startup/run.sh [RUNS]        (BUILD_DIR picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-40}
build=${BUILD_DIR:-build-bench}
programs=(startup_probe plain_dialog_probe empty_dialog_probe label_dialog_probe)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_BENCH=ON -DTOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target "${programs[@]}" >/dev/null
probes="$PWD/$build/bench/startup"

# The editor reads tvcc.cfg from its working directory: give it an empty one.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/config" # the editor's recent folders stay here

# One run of a program: appends its microseconds to NAME.us, its processor
# time (user and system, which a busy machine disturbs less) to NAME.cpu and
# its peak resident memory in KiB to NAME.kib.
run() {
    local start=$EPOCHREALTIME
    timeout 30 /usr/bin/time -f '%M %U %S' -o "$1.time" "$probes/$1" >/dev/null 2>&1 ||
        { echo "$1 did not reach its first paint" >&2; exit 1; }
    local end=$EPOCHREALTIME
    echo $((10#${end/./} - 10#${start/./})) >>"$1.us"
    read -r kib user system <"$1.time"
    echo "$kib" >>"$1.kib"
    awk -v user="$user" -v sys="$system" 'BEGIN { print user + sys }' >>"$1.cpu"
}

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for program in "${programs[@]}"; do run "$program"; rm -f "$program".{us,kib,cpu}; done # warm the caches
for ((i = 0; i < runs; ++i)); do
    for program in "${programs[@]}"; do run "$program"; done
done
awk -v runs="$runs" \
    -v editor="$(median startup_probe.us)" -v plain="$(median plain_dialog_probe.us)" \
    -v empty="$(median empty_dialog_probe.us)" -v label="$(median label_dialog_probe.us)" \
    -v editorMem="$(median startup_probe.kib)" -v plainMem="$(median plain_dialog_probe.kib)" \
    -v editorCpu="$(median startup_probe.cpu)" -v plainCpu="$(median plain_dialog_probe.cpu)" 'BEGIN {
    printf "runs:            %d each, interleaved; medians\n", runs
    printf "editor window:   %.1f ms, %.1f MiB peak\n", editor / 1000, editorMem / 1024
    printf "plain dialog:    %.1f ms, %.1f MiB peak (same 95 controls, no template or artwork)\n", plain / 1000, plainMem / 1024
    printf "empty QDialog:   %.1f ms\n", empty / 1000
    printf "label QDialog:   %.1f ms\n", label / 1000
    printf "editor / plain:  %.2f (goal: at most 1.10); processor time %.0f / %.0f ms = %.2f\n", editor / plain,
           editorCpu * 1000, plainCpu * 1000, editorCpu / plainCpu
    printf "memory over plain: %+.2f MiB (goal: at most +1.00)\n", (editorMem - plainMem) / 1024
    printf "editor / empty:  %.2f (goal: at most 1.40)\n", editor / empty
    printf "editor / label:  %.2f\n", editor / label
}'
