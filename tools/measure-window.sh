#!/usr/bin/env bash
# Measures the demo in a real window under Xvfb with openbox: start-up to the
# first presented frame, and CPU use and peak memory over 10 s of running.
#
#   tools/measure-window.sh [BIN_DIR]     (default build/bin)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$here/build/bin}" && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

exec 3>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/displayfd")"
openbox >/dev/null 2>&1 &
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done

cd "$here/assets"
for run in 1 2 3 4 5; do "$bin/instruments-startup"; done

# 10 s of the running demo, ended by SIGTERM (which ends the dialog like a close).
( sleep 10; pkill -TERM -x instruments ) &
/usr/bin/time -f "running 10 s: user %U s, system %S s, CPU %P of one core, peak resident %M KB" \
    "$bin/instruments"
