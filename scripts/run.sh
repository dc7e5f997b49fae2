#!/usr/bin/env bash
# Installs what the editor needs, builds the editor and tolvane-classfile
# (build/app/tolvane-class-creator, build/cli/tolvane-classfile) and starts
# the editor on a scratch copy of the sample class files, so the samples in
# the repository are never overwritten; the copy is made only once, so a
# second run keeps the edits: bash scripts/run.sh [FOLDER]
# (scripts/test.sh installs and builds everything else.)
set -euo pipefail
cd "$(dirname "$0")/.."

# The editor would say the same, but only after the build.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "scripts/run.sh: no display to open the window on: set DISPLAY or WAYLAND_DISPLAY, or start it under xvfb-run" >&2
    exit 2
fi

bash scripts/deps.sh run
# A first configure leaves the tests out, which need more packages; a build
# folder that scripts/test.sh has set up keeps them.
configure=()
[ -f build/CMakeCache.txt ] || configure=(-DTOLVANE_BUILD_TESTS=OFF)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${configure[@]}"
cmake --build build --target tolvane-class-creator tolvane-classfile

scratch="$PWD/scratch"
mkdir -p "$scratch"
for sample in examples/tvclass_seals.cfg examples/tvclass_tangos.cfg; do
    [ -e "$scratch/$(basename "$sample")" ] || cp "$sample" "$scratch"/
done
[ $# -gt 0 ] || echo "Game folder: $scratch"
exec build/app/tolvane-class-creator "${@:-$scratch}"
