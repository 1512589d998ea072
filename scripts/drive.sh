#!/usr/bin/env bash
# Drives a program of the suite under Xvfb with keys and clicks (xdotool) and saves screenshots,
# with a throw-away home and settings folder, so a session never touches the user's own files.
#
# As a library (the usual way):
#   source scripts/drive.sh
#   drive_start [program arguments...]   # starts Xvfb, a window manager and the program
#   drive_key alt+s Down Return          # keys (xdotool names); waits DRIVE_PAUSE after them
#   drive_type "G01 X10."                # types text into the focused window
#   drive_click 200 150 [button]         # clicks at a point of the program's main window
#   drive_move 200 150                   # moves the pointer there without a click (hover)
#   drive_drag 200 150 260 120 [button]  # presses there, moves in steps to the second point and
#                                        # releases (pan, zoom or rotation drags)
#   drive_wheel up|down [count]          # turns the wheel at the pointer
#   drive_click_screen 640 400 [button]  # clicks at a point of the screen (dialogs, menus)
#   drive_shot name                      # saves $DRIVE_OUT/name.png of the whole screen
#   drive_window "title regex"           # waits for a window with that title, prints its id
#   drive_alive                          # true while the program runs
#   drive_run command [args...]          # runs another command (morvalen-dde, a second start)
#                                        # with the program's home, settings and runtime folders
#   drive_kill                           # ends the program with SIGKILL, as a crash would;
#                                        # Xvfb stays for the next drive_start
#   drive_stop                           # ends the program, the window manager and Xvfb
#   drive_save FILE / drive_attach FILE  # keeps a session across shells: drive_start in one,
#                                        # drive_save, then drive_attach in each later one
# As a command: scripts/drive.sh [program arguments...] starts the program, takes the
# screenshot "start" and stops again (a quick look at a file).
#
# Settings: DRIVE_BIN (the program; default build/release/bin/morvalen, build it with
# scripts/run.sh), DRIVE_OUT (screenshots; default build/shots), DRIVE_HOME (the throw-away
# home; a fresh temporary folder unless set), DRIVE_PAUSE (seconds after each step; 0.4),
# DRIVE_SIZE (screen size; 1280x1024x24), DRIVE_SETTLE (seconds drive_start waits after the
# first window shows; 1, and 0 to watch a program while it loads), DRIVE_WINDOW_NAME (a title
# regex: the window to drive is found by its title instead of the started process, for a
# program that hands over to another process and ends, as an installer's launcher does).

DRIVE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${DRIVE_BIN:=$DRIVE_ROOT/build/release/bin/morvalen}"
: "${DRIVE_OUT:=$DRIVE_ROOT/build/shots}"
: "${DRIVE_PAUSE:=0.4}"
: "${DRIVE_SIZE:=1280x1024x24}"
: "${DRIVE_SETTLE:=1}"

drive_need() {
    local missing=()
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v import >/dev/null || missing+=(imagemagick)
    command -v openbox >/dev/null || missing+=(openbox)
    if [ ${#missing[@]} -gt 0 ]; then
        source "$DRIVE_ROOT/scripts/lib/common.sh"
        ensure_packages "${missing[@]}"
    fi
}

drive_start() {
    drive_need
    [ -x "$DRIVE_BIN" ] || { echo "drive: no program at $DRIVE_BIN (build it with scripts/run.sh)" >&2; return 1; }
    mkdir -p "$DRIVE_OUT"
    if [ -z "${DRIVE_HOME:-}" ]; then
        DRIVE_HOME="$(mktemp -d /tmp/drive-home.XXXXXX)"
        DRIVE_OWN_HOME=1
    fi
    mkdir -p "$DRIVE_HOME/.local/share" "$DRIVE_HOME/.config" "$DRIVE_HOME/.cache" "$DRIVE_HOME/run"
    chmod 700 "$DRIVE_HOME/run"
    drive_env_set
    local i
    # After drive_kill the screen and the window manager are still there.
    if [ -z "${DRIVE_XVFB:-}" ] || ! kill -0 "$DRIVE_XVFB" 2>/dev/null; then
        local n=90
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        export DISPLAY=":$n"
        Xvfb "$DISPLAY" -screen 0 "$DRIVE_SIZE" -nolisten tcp >/dev/null 2>&1 &
        DRIVE_XVFB=$!
        for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
        HOME="$DRIVE_HOME" openbox >/dev/null 2>&1 &
        DRIVE_WM=$!
        sleep 0.5
    fi
    # env execs the program, so $! is the program itself.
    env "${DRIVE_ENV[@]}" "$DRIVE_BIN" "$@" >"$DRIVE_OUT/program.log" 2>&1 &
    DRIVE_PID=$!
    # Waits for the first window (30 s at most), but not for a program that has already ended
    # (unless the window is looked for by its title).
    DRIVE_WIN=""
    for i in $(seq 300); do
        if [ -n "${DRIVE_WINDOW_NAME:-}" ]; then
            DRIVE_WIN="$(xdotool search --onlyvisible --name "$DRIVE_WINDOW_NAME" 2>/dev/null | head -n 1)"
        else
            DRIVE_WIN="$(xdotool search --onlyvisible --pid "$DRIVE_PID" 2>/dev/null | head -n 1)"
        fi
        [ -n "$DRIVE_WIN" ] && break
        [ -z "${DRIVE_WINDOW_NAME:-}" ] && ! kill -0 "$DRIVE_PID" 2>/dev/null && break
        sleep 0.1
    done
    if [ -z "$DRIVE_WIN" ]; then
        echo "drive: the program showed no window within 30 s (log: $DRIVE_OUT/program.log)" >&2
        return 1
    fi
    sleep "$DRIVE_SETTLE"
    [ "$DRIVE_SETTLE" = 0 ] || xdotool windowactivate --sync "$DRIVE_WIN" >/dev/null 2>&1 || true
    export DRIVE_PID DRIVE_WIN DRIVE_HOME
}

# The environment of the program: its throw-away home, settings and runtime folders.
drive_env_set() {
    DRIVE_ENV=(HOME="$DRIVE_HOME" XDG_DATA_HOME="$DRIVE_HOME/.local/share"
               XDG_CONFIG_HOME="$DRIVE_HOME/.config" XDG_CACHE_HOME="$DRIVE_HOME/.cache"
               XDG_RUNTIME_DIR="$DRIVE_HOME/run" QT_QPA_PLATFORM=xcb)
}

drive_run() {
    drive_env_set
    env "${DRIVE_ENV[@]}" "$@"
}

drive_key() {
    xdotool key --delay 80 "$@"
    sleep "$DRIVE_PAUSE"
}

drive_type() {
    xdotool type --delay 40 -- "$1"
    sleep "$DRIVE_PAUSE"
}

drive_click() {
    xdotool mousemove --window "$DRIVE_WIN" "$1" "$2" click "${3:-1}"
    sleep "$DRIVE_PAUSE"
}

drive_move() {
    xdotool mousemove --window "$DRIVE_WIN" "$1" "$2"
    sleep "$DRIVE_PAUSE"
}

drive_drag() {
    local button="${5:-1}" steps=8 i
    xdotool mousemove --window "$DRIVE_WIN" "$1" "$2" mousedown "$button"
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove --window "$DRIVE_WIN" $(($1 + ($3 - $1) * i / steps)) \
            $(($2 + ($4 - $2) * i / steps))
        sleep 0.05
    done
    xdotool mouseup "$button"
    sleep "$DRIVE_PAUSE"
}

drive_wheel() {
    local button=4
    [ "$1" = down ] && button=5
    xdotool click --repeat "${2:-1}" --delay 80 "$button"
    sleep "$DRIVE_PAUSE"
}

drive_click_screen() {
    xdotool mousemove "$1" "$2" click "${3:-1}"
    sleep "$DRIVE_PAUSE"
}

drive_save() {
    {
        printf 'export DISPLAY=%q\n' "$DISPLAY"
        for v in DRIVE_PID DRIVE_WM DRIVE_XVFB DRIVE_WIN DRIVE_HOME DRIVE_OWN_HOME DRIVE_OUT DRIVE_BIN; do
            printf '%s=%q\n' "$v" "${!v:-}"
        done
    } >"$1"
}

drive_attach() {
    # shellcheck disable=SC1090
    source "$1"
}

drive_shot() {
    import -window root "$DRIVE_OUT/$1.png"
    echo "$DRIVE_OUT/$1.png"
}

drive_window() {
    timeout "${2:-10}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

drive_alive() {
    kill -0 "$DRIVE_PID" 2>/dev/null
}

drive_kill() {
    [ -n "${DRIVE_PID:-}" ] && kill -9 "$DRIVE_PID" 2>/dev/null
    wait "$DRIVE_PID" 2>/dev/null
    unset DRIVE_PID DRIVE_WIN
}

drive_stop() {
    [ -n "${DRIVE_PID:-}" ] && kill "$DRIVE_PID" 2>/dev/null
    sleep 0.3
    [ -n "${DRIVE_PID:-}" ] && kill -9 "$DRIVE_PID" 2>/dev/null
    [ -n "${DRIVE_WM:-}" ] && kill "$DRIVE_WM" 2>/dev/null
    [ -n "${DRIVE_XVFB:-}" ] && kill "$DRIVE_XVFB" 2>/dev/null
    wait 2>/dev/null
    if [ -n "${DRIVE_OWN_HOME:-}" ]; then
        rm -rf "$DRIVE_HOME"
        unset DRIVE_HOME DRIVE_OWN_HOME
    fi
    unset DRIVE_PID DRIVE_WM DRIVE_XVFB DRIVE_WIN
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -u
    drive_start "$@" || exit 1
    drive_shot start
    drive_stop
fi
