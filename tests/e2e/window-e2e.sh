#!/usr/bin/env bash
# End-to-end test of the real window: under Xvfb with openbox, start the demo,
# find its window by caption, check the client size, compare the static pixels
# of every instrument with the snapshot tool's frame, read the seconds since
# midnight off display 207 and compare them with the clock, then close it
# through the window manager and check that it exits with 0 within 2 seconds.
#
#   window-e2e.sh BIN_DIR SOURCE_DIR
set -u
bin=$1
source=$2
caption='Tessarin...version 0.3'
work=$(mktemp -d)
failures=$(cd "$bin/.." && pwd)/e2e-failures
pids=()

cleanup() {
    if declare -F stop_x >/dev/null; then
        stop_x "${pids[@]}"
    else
        for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
        wait 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "e2e: FAIL: $*" >&2
    exit 1
}


. "$source/tools/xsession.sh"
start_x "$work"
started=$?
# stop_x ends openbox and Xvfb after the programs in pids.
[ "$started" -eq 0 ] || fail "no X session"

# The reference frame: the same start-up and handler, headless.
"$bin/instruments-snapshot" --time 12:00:00 --pictures "$source/assets" --out "$work/snapshot.png" ||
    fail "snapshot tool failed"

(cd "$source/assets" && exec "$bin/instruments") &
app=$!
pids+=($app)

poll 100 demo_window_shows || fail "no window with the caption '$caption'"
window=$(demo_window)
[ -n "$window" ] || fail "no window with the caption '$caption'"
name=$(xdotool getwindowname "$window")
[ "$name" = "$caption" ] || fail "caption is '$name'"

size=$(client_size "$window")
[ "$size" = "700x500" ] || fail "client area is $size, not 700x500"

# Let a few ticks run, then take the window's picture.
sleep 0.5
xwd -silent -id "$window" -out "$work/window.xwd" || fail "xwd could not capture the window"
"$bin/e2e-compare" "$work/window.xwd" "$work/snapshot.png" "$work/diff.png" || {
    mkdir -p "$failures" && cp "$work/diff.png" "$failures/e2e-diff.png"
    fail "window pixels differ from the snapshot (diff image: $failures/e2e-diff.png)"
}

# Display 207 shows the seconds since midnight: read it off the screen and
# compare it with the clock around the capture, a few times.
for _ in 1 2 3; do
    check_clock "$window" "$work" "$bin" || fail "display 207 does not show the time of the capture"
    sleep 0.3
done

# Minimised, the demo presents nothing; restored, it shows the current frame at
# once: display 207 has moved on, and the static pixels are intact.
xwd -silent -id "$window" -out "$work/before-minimise.xwd"
xdotool windowminimize "$window" || fail "xdotool could not minimise the window"
sleep 0.5
xdotool windowmap "$window" windowactivate "$window" 2>/dev/null || wmctrl -a "$caption"
sleep 0.3
xwd -silent -id "$window" -out "$work/restored.xwd" || fail "xwd could not capture the restored window"
"$bin/e2e-same-area" "$work/before-minimise.xwd" "$work/restored.xwd" 10 10 210 55 &&
    fail "display 207 did not move on after minimise and restore"
"$bin/e2e-compare" "$work/restored.xwd" "$work/snapshot.png" "$work/diff.png" ||
    fail "static pixels differ after minimise and restore"

# Close through the window manager; the program must end with 0 within 2 s.
wmctrl -c "$caption" || fail "wmctrl could not close the window"
poll 40 program_ended "$app" || fail "the program was still running 2 s after the close request"
wait "$app"
status=$?
[ "$status" -eq 0 ] || fail "the program exited with $status"
# SIGINT and SIGTERM end the dialog the same way: exit code 0 within a second.
for signal in INT TERM; do
    (cd "$source/assets" && exec "$bin/instruments") &
    app=$!
    pids+=($app)
    poll 100 demo_window_shows || fail "no window before SIG$signal"
    kill -s "$signal" "$app"
    poll 20 program_ended "$app" || fail "the program was still running 1 s after SIG$signal"
    wait "$app"
    status=$?
    [ "$status" -eq 0 ] || fail "the program exited with $status after SIG$signal"
done
# At --scale 2 the window is 1400 x 1000 and shows every pixel as a 2 x 2 block.
(cd "$source/assets" && exec "$bin/instruments" --scale 2) &
scaled=$!
pids+=($scaled)
poll 100 demo_window_shows || fail "no window at --scale 2"
swin=$(demo_window)
ssize=$(client_size "$swin")
[ "$ssize" = "1400x1000" ] || fail "at --scale 2 the client area is $ssize, not 1400x1000"
sleep 0.5
xwd -silent -id "$swin" -out "$work/scaled.xwd" || fail "xwd could not capture the scaled window"
"$bin/e2e-compare" "$work/scaled.xwd" "$work/snapshot.png" "$work/diff.png" 2 ||
    fail "at --scale 2 the window is not the frame doubled"
kill -TERM "$scaled"
poll 20 program_ended "$scaled" || fail "the scaled demo did not end on SIGTERM"

# Commands from the window: in the system-monitor example a click on the switch
# pauses the updates (the time display stops) and shows the other face of the
# switch; Escape reaches the handler too, and the window still closes cleanly.
if [ -x "$bin/system-monitor" ]; then
    monitor_shows() { xdotool search --name "^System monitor$" >/dev/null 2>&1; }
    "$bin/system-monitor" &
    monitor=$!
    pids+=($monitor)
    poll 100 monitor_shows || fail "no system-monitor window"
    mwin=$(xdotool search --name "^System monitor$" | head -n1)
    sleep 0.4
    xwd -silent -id "$mwin" -out "$work/running.xwd" || fail "xwd could not capture the monitor"
    # The switch spans (10, 194)-(410, 234) of the client area.
    xdotool mousemove --window "$mwin" 200 214 click 1 || fail "xdotool could not click"
    sleep 0.4
    xwd -silent -id "$mwin" -out "$work/paused-1.xwd"
    sleep 1.2
    xwd -silent -id "$mwin" -out "$work/paused-2.xwd"
    "$bin/e2e-same-area" "$work/running.xwd" "$work/paused-1.xwd" 10 194 400 40 &&
        fail "the switch did not change its face when clicked"
    "$bin/e2e-same-area" "$work/paused-1.xwd" "$work/paused-2.xwd" 10 10 210 55 ||
        fail "the time display kept changing while paused"
    xdotool mousemove --window "$mwin" 200 214 click 1
    sleep 1.3
    xwd -silent -id "$mwin" -out "$work/resumed.xwd"
    "$bin/e2e-same-area" "$work/paused-2.xwd" "$work/resumed.xwd" 10 10 210 55 &&
        fail "the time display did not move again after the second click"
    wmctrl -c "System monitor" || fail "wmctrl could not close the monitor"
    poll 40 program_ended "$monitor" || fail "system-monitor was still running 2 s after the close request"
    wait "$monitor"
    status=$?
    [ "$status" -eq 0 ] || fail "system-monitor exited with $status"
fi

echo "e2e: window found, 700x500, static pixels match, display 207 keeps the time, closed with exit code 0; SIGINT and SIGTERM end it with 0; a click on the monitor's switch pauses and resumes it; minimise and restore show the current frame; --scale 2 doubles every pixel"
