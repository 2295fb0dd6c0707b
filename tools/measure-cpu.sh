#!/usr/bin/env bash
# CPU time of the running demo and of the X server under Xvfb with openbox,
# first with the window shown, then minimised, and the demo's peak resident
# memory. CPU time comes from /proc/PID/schedstat (nanoseconds on a CPU).
#
#   tools/measure-cpu.sh [SECONDS] [BIN_DIR]     (default 60 s each, build/bin)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
bin=$(cd "${2:-$here/build/bin}" && pwd)
case $seconds in '' | *[!0-9]*) echo "usage: tools/measure-cpu.sh [SECONDS] [BIN_DIR]" >&2; exit 2 ;; esac
work=$(mktemp -d)
trap 'stop_x ${demo:-}; rm -rf "$work"' EXIT

. "$here/tools/xsession.sh"
start_x "$work"

on_cpu() { cut -d' ' -f1 "/proc/$1/schedstat"; }

# Percent of one core that each of the demo and the X server used over the span.
sample() {
    local label=$1 demo0 x0 demo1 x1
    demo0=$(on_cpu "$demo") x0=$(on_cpu "$xvfb_pid")
    sleep "$seconds"
    demo1=$(on_cpu "$demo") x1=$(on_cpu "$xvfb_pid")
    awk -v l="$label" -v s="$seconds" -v d=$((demo1 - demo0)) -v x=$((x1 - x0)) 'BEGIN {
        printf "%s, %d s: demo %.2f %%, X server %.2f %%, together %.2f %% of one core\n",
            l, s, d / s / 1e7, x / s / 1e7, (d + x) / s / 1e7 }'
}

cd "$here/assets"
"$bin/instruments" &
demo=$!
poll 200 demo_window_shows || { echo "the demo's window did not appear" >&2; exit 1; }
sleep 2
sample "shown"
xdotool windowminimize "$(demo_window)"
sleep 1
sample "minimised"
echo "demo peak resident memory: $(awk '/VmHWM/ { print $2, $3 }' "/proc/$demo/status")"
kill -TERM "$demo"
wait "$demo" || true
