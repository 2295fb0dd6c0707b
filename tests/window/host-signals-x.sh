#!/usr/bin/env bash
# Runs window-host-signals with a real window under a private X server (see
# tools/xsession.sh); exit status 77 (skipped) when there is no Xvfb.
#
#   host-signals-x.sh BIN_DIR SOURCE_DIR
set -u
bin=$1
source=$2
command -v Xvfb >/dev/null && command -v openbox >/dev/null && command -v wmctrl >/dev/null ||
    { echo "host-signals-x: no Xvfb, openbox or wmctrl: skipped"; exit 77; }
work=$(mktemp -d)
pids=()
cleanup() {
    declare -F stop_x >/dev/null && stop_x "${pids[@]}"
    rm -rf "$work"
}
trap cleanup EXIT
. "$source/tools/xsession.sh"
start_x "$work" || { echo "host-signals-x: no X session" >&2; exit 1; }
"$bin/window-host-signals" --need-window
