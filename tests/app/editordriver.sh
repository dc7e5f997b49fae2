# Drives the editor program as a user does: its own main and event loop on an
# Xvfb display, keys pressed with xdotool, in a game folder and a data folder
# of the caller's own. Sourced by the program's tests and by the kill loop:
#   source editordriver.sh EDITOR
#   driver_start               # the display, a work folder, a game folder
#   editor_start               # the editor on the game folder
#   editor_keys ctrl+l         # keys into the editor's window
#   editor_answer Return       # a key into the next question box
#   editor_kill; editor_wait
# The game folder has a space and the byte 0xE4 in its name; the data folder
# (backups, recovery files) a space. Everything goes when the shell exits.

driver_editor=$(realpath "$1")
driver_xvfb=""
EDITOR_PID=""
DRIVER_WORK=""

driver_cleanup() {
    [ -n "$EDITOR_PID" ] && kill -9 "$EDITOR_PID" 2>/dev/null
    [ -n "$driver_xvfb" ] && kill "$driver_xvfb" 2>/dev/null && wait "$driver_xvfb" 2>/dev/null
    [ -n "$DRIVER_WORK" ] && rm -rf "$DRIVER_WORK"
}

driver_fail() {
    echo "FAIL: $*"
    exit 1
}

# An Xvfb display of its own; GAME (the game folder) and DATA_HOME.
driver_start() {
    for tool in Xvfb xdotool; do
        command -v $tool >/dev/null || driver_fail "$tool is missing; bash scripts/deps.sh installs it"
    done
    DRIVER_WORK=$(mktemp -d)
    trap driver_cleanup EXIT
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$DRIVER_WORK/display" \
        2>"$DRIVER_WORK/xvfb.log" &
    driver_xvfb=$!
    for _ in $(seq 100); do
        [ -s "$DRIVER_WORK/display" ] && break
        sleep 0.1
    done
    [ -s "$DRIVER_WORK/display" ] || driver_fail "Xvfb did not start: $(cat "$DRIVER_WORK/xvfb.log")"
    export DISPLAY=:$(cat "$DRIVER_WORK/display")
    GAME="$DRIVER_WORK/game $(printf '\xe4') folder"
    DATA_HOME="$DRIVER_WORK/data home"
    mkdir -p "$GAME" "$DATA_HOME" "$DRIVER_WORK/home" "$DRIVER_WORK/config"
}

# The editor on the game folder (or what the argument names), with nothing
# of the user's environment.
editor_start() {
    env -i DISPLAY="$DISPLAY" HOME="$DRIVER_WORK/home" XDG_DATA_HOME="$DATA_HOME" \
        XDG_CONFIG_HOME="$DRIVER_WORK/config" LC_ALL=C.UTF-8 "$driver_editor" "${1:-$GAME}" \
        >>"$DRIVER_WORK/editor.log" 2>&1 &
    EDITOR_PID=$!
}

editor_kill() {
    kill -9 "$EDITOR_PID" 2>/dev/null
    wait "$EDITOR_PID" 2>/dev/null
    EDITOR_PID=""
}

# Waits for the editor to end by itself; its exit status.
editor_wait() {
    local status
    wait "$EDITOR_PID"
    status=$?
    EDITOR_PID=""
    return $status
}

# The ids of the editor's visible windows whose titles match the regular
# expression (xdotool's own search matches the window class too).
editor_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$EDITOR_PID" --name '' 2>/dev/null); do
        [[ $(xdotool getwindowname "$id" 2>/dev/null) =~ $1 ]] && echo "$id"
    done
}

# The id of such a window, once there is one within seconds (default 10; 0:
# at once); fails without.
editor_window() {
    local id
    for _ in $(seq 0 $((${2:-10} * 10))); do
        id=$(editor_windows "$1" | tail -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The main window's title ends in the class name and "*" for unsaved changes.
main_window() {
    editor_window '^Tolvane Class Creator .+ - ' "$@"
}

# A question or message box: titled with the program's name alone.
question_window() {
    editor_window '^Tolvane Class Creator$' "$@"
}

# Whether the window with the given id has the focus within 2 seconds.
has_focus() {
    for _ in $(seq 20); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# Keys as a hand presses them into the window with the given id. It gets the
# focus first, as a window manager gives it back when a question closes.
keys_into() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id" 2>/dev/null
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.1
    done
}

editor_keys() {
    keys_into "$(main_window)" "$@" || driver_fail "no editor window"
}

# Types text into the box that has the focus.
editor_type() {
    xdotool type --delay 20 "$1"
}

# Presses key in the next question box, and waits for it to close.
editor_answer() {
    local id
    id=$(question_window) || driver_fail "no question came (waiting to answer $1)"
    keys_into "$id" "$1"
    for _ in $(seq 50); do
        editor_windows '^Tolvane Class Creator$' | grep -qx "$id" || return 0
        sleep 0.1
    done
    driver_fail "the question stayed open after $1"
}

# Health of the first class through the form: Load Config, the Health box
# (Alt+T), the value, Save to Memory (Alt+S).
change_health() {
    editor_keys ctrl+l alt+t ctrl+a
    editor_type "$1"
    editor_keys alt+s
}

recovery_files() {
    find "$DATA_HOME" -path '*/recovery/*.recovery' 2>/dev/null
}

# Waits up to seconds for a recovery file.
wait_for_recovery() {
    for _ in $(seq $(($1 * 10))); do
        [ -n "$(recovery_files)" ] && return 0
        sleep 0.1
    done
    return 1
}

# The number of classes of a class file, and whether a class has a health.
class_count() {
    grep -c '^classname ' "$1"
}
