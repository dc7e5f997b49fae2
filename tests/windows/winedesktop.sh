# Sourced by the Windows package tests: a scratch folder, an X display
# (Xvfb) with a Wine prefix of its own, and driving the editor's window with
# xdotool. The caller sets scratch (a folder removed at exit) first.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Whether Xvfb and xdotool are at hand for the window parts.
haveDesktop() { command -v Xvfb >/dev/null && command -v xdotool >/dev/null; }

# Starts Xvfb and a Wine prefix that starts with the display (one started
# without it keeps drawing nowhere): "${WINEPREFIX}-x11". DPI: Wine's
# LogPixels, 96 unless given. The user's AppData folders, where the settings,
# the backups and an installed program go, are those of a user whose name is
# no ASCII: $roamingAppData and $localAppData (%APPDATA%, %LOCALAPPDATA%).
startDesktop() {
    local dpi=${1:-96}
    display=:$((90 + RANDOM % 400))
    Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
    xvfb=$!
    export DISPLAY=$display WINEPREFIX="${WINEPREFIX:-$HOME/.wine}-x11"
    trap 'wineserver --kill; kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
    mkdir -p "$WINEPREFIX"
    wineboot --init >"$scratch/wineboot.log" 2>&1
    cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    local user='Jörg Ünal' key folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
    for key in "$folders\User Shell Folders" "$folders\Shell Folders"; do
        wine reg add "$key" /v AppData /d "C:\\users\\$user\\AppData\\Roaming" /f >/dev/null
        wine reg add "$key" /v 'Local AppData' /d "C:\\users\\$user\\AppData\\Local" /f >/dev/null
    done
    roamingAppData="$WINEPREFIX/drive_c/users/$user/AppData/Roaming"
    localAppData="$WINEPREFIX/drive_c/users/$user/AppData/Local"
    mkdir -p "$roamingAppData" "$localAppData"
    # The environment (%APPDATA%) follows with the next Wine session.
    wineserver --kill
    wineserver --wait 2>/dev/null || true
}

# The Unix path of the user's shell folder (Programs, Desktop) of that name.
shellFolder() {
    winepath -u "$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v "$1" \
        | tr -d '\r' | sed -n 's/.*REG_SZ *//p')"
}

# Waits for the visible window whose title matches the pattern; its id in
# window. A process id as second argument: fails when it ends first.
waitForWindow() {
    window=""
    for _ in $(seq 1200); do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$window" ] && return 0
        [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || fail "the program ended before a window \"$1\" showed"
        sleep 0.1
    done
    fail "no window \"$1\" within two minutes"
}

# Seconds since a date +%s.%N, one decimal.
secondsSince() { awk "BEGIN { printf \"%.1f\", $(date +%s.%N) - $1 }"; }

# Each step waits for the title or a file to show that it was done.
waitFor() {
    for _ in $(seq 600); do
        eval "$1" && return 0
        sleep 0.1
    done
    fail "waited in vain for: $1 (title: $(xdotool getwindowname "$window" 2>/dev/null))"
}
titled() { xdotool getwindowname "$window" 2>/dev/null | grep -q "$1"; }
# Keys go to the window with the focus (there is no window manager). A
# window that closes meanwhile never takes it: xdotool would wait for ever.
keys() {
    timeout 10 xdotool windowfocus --sync "$window" || { echo "window $window took no focus" >&2; return 1; }
    xdotool "$@"
}
