#!/usr/bin/env bash
# Runs screenreader_test.py on the editor under Xvfb, on a session bus of its
# own that starts the AT-SPI bus when asked; with --orca, orca_test.py, which
# listens to the Orca screen reader, on the sample files in EXAMPLES.
#   run_screenreader_test.sh EDITOR [--scale FACTOR] [--list]
#   run_screenreader_test.sh EDITOR --orca EXAMPLES
# The screen is 1600 x 1000 pixels; --scale runs the editor at that scale
# factor. Exits 77 (skipped) only when the session bus, the AT-SPI bus or
# Orca cannot start. SCREENREADER_KEEP=1 keeps the working folder (Orca's
# debug log) for a look.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
editor=$(realpath "$1")
shift
export SCREEN_WIDTH=1600 SCREEN_HEIGHT=1000
script=screenreader_test.py
if [ "${1:-}" = --scale ]; then
    export QT_SCALE_FACTOR=$2
    shift 2
elif [ "${1:-}" = --orca ]; then
    script=orca_test.py
    shift
fi

# The system Python has the GObject bindings, whatever python3 comes first.
python=""
for candidate in python3 /usr/bin/python3; do
    if "$candidate" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
        python=$candidate
        break
    fi
done
if [ -z "$python" ]; then
    echo "FAIL: python3-gi and gir1.2-atspi-2.0 are missing; bash scripts/deps.sh installs them"
    exit 1
fi
for tool in Xvfb dbus-run-session; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; bash scripts/deps.sh installs it"
        exit 1
    fi
done

workdir=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    if [ -n "${SCREENREADER_KEEP:-}" ]; then
        echo "kept $workdir"
    else
        rm -rf "$workdir"
    fi
}
trap cleanup EXIT

# -noreset: the AT-SPI bus launcher connects and leaves first; a server reset
# then would turn the editor away.
Xvfb -displayfd 3 -screen 0 ${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24 -nolisten tcp -noreset 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$workdir/display" ] && break
    sleep 0.1
done
if [ ! -s "$workdir/display" ]; then
    echo "FAIL: Xvfb did not start:"
    cat "$workdir/xvfb.log"
    exit 1
fi
export DISPLAY=:$(cat "$workdir/display")
mkdir -p "$workdir/run" "$workdir/classes"
chmod 700 "$workdir/run"
export XDG_RUNTIME_DIR=$workdir/run
# The editor's backups and recovery files stay out of the user's own folder.
export XDG_DATA_HOME=$workdir/data

if [ $script = orca_test.py ]; then
    dbus-run-session -- "$python" "$here/$script" "$editor" "$workdir" "$@" 2>"$workdir/bus.log"
else
    dbus-run-session -- "$python" "$here/$script" "$editor" "$workdir/classes" "$@" 2>"$workdir/bus.log"
fi
status=$?
if [ $status -eq 127 ]; then
    echo "SKIP: the session bus cannot start here:"
    cat "$workdir/bus.log"
    exit 77
fi
[ $status -eq 0 ] || [ $status -eq 77 ] || grep -v "Failed to set fd limit" "$workdir/bus.log"
exit $status
