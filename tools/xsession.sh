# Shell functions for running the demo under a private X server; sourced by the
# end-to-end test, tools/measure-window.sh and tools/soak.sh.
#
#   start_x WORK_DIR    starts Xvfb (a display number of its own) and openbox,
#                       exports DISPLAY, and sets xvfb_pid and openbox_pid
#   stop_x PID...       ends the given programs, then openbox and Xvfb
#   demo_window         the id of the demo's window (empty when there is none)
#   demo_window_shows   succeeds once the demo's window exists
#   client_size WINDOW  the window's size as WIDTHxHEIGHT
#   program_ended PID   succeeds once the program has exited
#   poll N CMD...       runs CMD every 50 ms, at most N times, until it succeeds
#   check_clock WINDOW WORK_DIR BIN_DIR
#                       captures the window and checks that display 207 shows
#                       the seconds since midnight of the capture, within 100 ms

poll() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

has_output() { [ -s "$1" ]; }
manager_runs() { wmctrl -m >/dev/null 2>&1; }

start_x() {
    local work=$1
    exec 3>"$work/displayfd"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    poll 100 has_output "$work/displayfd" || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$work/displayfd")"
    openbox >"$work/openbox.log" 2>&1 &
    openbox_pid=$!
    poll 100 manager_runs || { echo "openbox did not start" >&2; return 1; }
}

demo_window() { xdotool search --name "^Tessarin\.\.\.version 0\.3$" 2>/dev/null | head -n1; }
demo_window_shows() { [ -n "$(demo_window)" ]; }
client_size() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# A program that has exited (a zombie not yet reaped counts as ended).
program_ended() {
    local state
    state=$(awk '/^State:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 0
    [ -z "$state" ] || [ "$state" = Z ]
}

# The programs first, each given 5 s before it is killed, and the X server last:
# a client whose server goes away while it closes its window can be left
# spinning in Xlib, and a script waiting for it would hang.
stop_x() {
    local pid
    for pid in "$@"; do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in "$@"; do
        poll 100 program_ended "$pid" || kill -KILL "$pid" 2>/dev/null || true
    done
    kill ${openbox_pid:-} ${xvfb_pid:-} 2>/dev/null || true
    wait 2>/dev/null || true
}

# Seconds since midnight of the local clock, with nanoseconds.
seconds_since_midnight() {
    date +'%H %M %S %N' | awk '{ printf "%.3f\n", $1 * 3600 + $2 * 60 + $3 + $4 / 1e9 }'
}

check_clock() {
    local window=$1 work=$2 bin=$3 before after shown
    before=$(seconds_since_midnight)
    xwd -silent -id "$window" -out "$work/clock.xwd" || { echo "xwd could not capture the window" >&2; return 1; }
    after=$(seconds_since_midnight)
    shown=$("$bin/e2e-read-seconds" "$work/clock.xwd") || return 1
    # The shown value was read at the last tick before the capture; allow 100 ms
    # either side of the capture, across midnight too.
    awk -v b="$before" -v a="$after" -v s="$shown" 'BEGIN {
        d = 86400
        early = (b - s + d) % d; late = (s - a + d) % d
        ok = (s >= b && s <= a) || early <= 0.1 || late <= 0.1
        printf "clock: display 207 shows %s, capture between %s and %s: %s\n", s, b, a, ok ? "ok" : "WRONG"
        exit ok ? 0 : 1
    }'
}
