#!/usr/bin/env bash
# A long run of the demo in a real window under Xvfb with openbox. Every 15 s it
# reads display 207 off the screen and checks it against the clock, and samples
# resident memory, open files and CPU time of the demo and of the X server.
# Ends with a summary; exits 1 if any reading was wrong or the demo died.
#
#   tools/soak.sh MINUTES [BIN_DIR]     (BIN_DIR defaults to build/bin)
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
'' | *[!0-9]*)
    echo "usage: tools/soak.sh MINUTES [BIN_DIR]" >&2
    exit 2
    ;;
esac
minutes=$1
bin=$(cd "${2:-$here/build/bin}" && pwd) || exit 2
work=$(mktemp -d)
app=
trap 'stop_x ${app:-}; rm -rf "$work"' EXIT

. "$here/tools/xsession.sh"
start_x "$work" || exit 1

(cd "$here/assets" && exec "$bin/instruments") &
app=$!
poll 100 demo_window_shows || { echo "soak: no window" >&2; exit 1; }
window=$(demo_window)

ticks=$(getconf CLK_TCK)
# "RSS_KB FILES CPU_SECONDS" of a process.
sample() {
    local pid=$1 rss files cpu
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
    files=$(ls "/proc/$pid/fd" | wc -l)
    cpu=$(awk -v t="$ticks" '{ printf "%.2f", ($14 + $15) / t }' "/proc/$pid/stat")
    echo "$rss $files $cpu"
}

printf '%8s  %-44s  %-24s  %-24s\n' elapsed "clock check" "demo: RSS KB, fds, CPU s" "X server: RSS KB, fds, CPU s"
start=$(date +%s)
end=$((start + minutes * 60))
checks=0
wrong=0
first_demo=$(sample "$app")
first_x=$(sample "$xvfb_pid")
while :; do
    kill -0 "$app" 2>/dev/null || { echo "soak: the demo died" >&2; exit 1; }
    line=$(check_clock "$window" "$work" "$bin" 2>&1) || wrong=$((wrong + 1))
    checks=$((checks + 1))
    last_demo=$(sample "$app")
    last_x=$(sample "$xvfb_pid")
    printf '%7ss  %-44s  %-24s  %-24s\n' $(($(date +%s) - start)) "${line#clock: }" "$last_demo" "$last_x"
    [ "$(date +%s)" -lt "$end" ] || break
    sleep 15
done

elapsed=$(($(date +%s) - start))
summary() {
    local name=$1 first=$2 last=$3
    read -r rss0 fds0 cpu0 <<<"$first"
    read -r rss1 fds1 cpu1 <<<"$last"
    awk -v n="$name" -v r0="$rss0" -v r1="$rss1" -v f0="$fds0" -v f1="$fds1" -v c0="$cpu0" -v c1="$cpu1" \
        -v s="$elapsed" 'BEGIN { printf "%s: resident %d -> %d KB, open files %d -> %d, CPU %.2f%% of one core\n",
                                 n, r0, r1, f0, f1, (s > 0 ? 100 * (c1 - c0) / s : 0) }'
}
echo "soak: $elapsed s, $checks clock checks, $wrong wrong"
summary demo "$first_demo" "$last_demo"
summary "X server" "$first_x" "$last_x"
[ "$wrong" -eq 0 ]
