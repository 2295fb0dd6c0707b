#!/usr/bin/env bash
# Measures the demo in a real window under Xvfb with openbox: start-up to the
# first presented frame, and CPU use and peak memory over 10 s of running.
#
#   tools/measure-window.sh [BIN_DIR]     (default build/bin)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build/bin}" && pwd)
work=$(mktemp -d)
trap 'stop_x $(pgrep -P "${timer:-0}") ${timer:-}; rm -rf "$work"' EXIT

. "$here/tools/xsession.sh"
start_x "$work"

cd "$here/assets"
for run in 1 2 3 4 5; do "$bin/instruments-startup"; done

# 10 s of the running demo, ended by SIGTERM (which ends the dialog like a
# close) sent to this demo alone.
/usr/bin/time -f "running 10 s: user %U s, system %S s, CPU %P of one core, peak resident %M KB" \
    "$bin/instruments" &
timer=$!
sleep 10
# /usr/bin/time's child is the demo.
kill -TERM $(pgrep -P "$timer") 2>/dev/null || true
wait "$timer"
