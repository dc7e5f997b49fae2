#!/usr/bin/env bash
# Peak memory of tolvane-classfile check on files of dense findings: a "{" on
# every line, so that every line after the first is a finding. Goal: at most
# 4 times the input plus a constant, in text and in JSON, which the figures
# per MiB show: the peak grows by the input and a little more, not by the
# report. Measured on a Release build: 64 MiB of "{" lines peak at 68 MB in
# both modes (1.04 times the input plus under 3 MB), with 4.6 GB of text or
# 6.9 GB of JSON written.
#   bash bench/checkmemory.sh [MIB...]        (BUILD_DIR picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}
sizes=("${@:-1 16 63}")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tolvane-classfile >/dev/null
tool="$PWD/$build/cli/tolvane-classfile"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%-6s %-5s %12s %12s %10s\n' MiB mode "peak KiB" "report MiB" "KiB/MiB"
base=
for mib in ${sizes[*]}; do
    head -c $((mib * 1024 * 1024)) < <(yes '{') > "$work/dense.cfg"
    for mode in text json; do
        bytes=$( (/usr/bin/time -f '%M' -o "$work/time" "$tool" check --format=$mode "$work/dense.cfg" || true) | wc -c)
        peak=$(tail -n 1 "$work/time")
        report=$((bytes / 1024 / 1024))
        printf '%-6s %-5s %12s %12s %10s\n' "$mib" "$mode" "$peak" "$report" $((peak / mib))
    done
done
