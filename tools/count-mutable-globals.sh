#!/usr/bin/env bash
# Lists the process-wide objects that can change after start-up in the given
# archives or objects (default: the libraries, the adapter and the demo of a
# build folder), and counts them. An object counts when it lies in a writable
# data section (.data or .bss, not the relocated read-only .data.rel.ro) and is
# not a compiler's own: guard variables, personality references, the
# sanitizers' bookkeeping.
#
#   tools/count-mutable-globals.sh build            # prints the objects, then "N mutable objects"
set -euo pipefail
if [ $# -eq 0 ]; then
    echo "usage: tools/count-mutable-globals.sh BUILD_DIR | FILE..." >&2
    exit 2
fi
if [ $# -eq 1 ] && [ -d "$1" ]; then
    dir=$1
    set --
    for name in libinstruments.a libinstruments_window.a libdialog.a libapp.a; do
        [ -f "$dir/lib/$name" ] && set -- "$@" "$dir/lib/$name"
    done
    main=$(find "$dir/app" -name 'main.cpp.o' 2>/dev/null | head -1)
    [ -n "$main" ] && set -- "$@" "$main"
fi
nm -C -f sysv "$@" 2>/dev/null |
    awk -F'|' '{ section = $7; gsub(/ /, "", section); name = $1; sub(/ +$/, "", name) }
        section ~ /^\.(bss|data)(\.|$)/ && section !~ /^\.data\.rel\.ro/ &&
        name !~ /^(guard variable|DW\.ref\.|__odr_asan|__asan|__ubsan|__sancov)/ { print name }' |
    sort -u | tee /dev/stderr | wc -l | sed 's/$/ mutable objects/'
