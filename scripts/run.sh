#!/usr/bin/env bash
# Builds the editor and starts it on a scratch copy of the sample class files,
# so the samples in the repository are never overwritten; the copy is made
# only once, so a second run keeps the edits: bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tolvane-class-creator tolvane-classfile
scratch="$PWD/scratch"
mkdir -p "$scratch"
for sample in examples/tvclass_seals.cfg examples/tvclass_tangos.cfg; do
    [ -e "$scratch/$(basename "$sample")" ] || cp "$sample" "$scratch"/
done
echo "Game folder: $scratch"
exec build/app/tolvane-class-creator "${@:-$scratch}"
