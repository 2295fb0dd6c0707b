#!/usr/bin/env bash
# Installs a build into a temporary prefix and builds both examples out of tree
# against it, once through the CMake package and once through pkg-config, then
# runs embed and checks the picture it writes.
#
#   tools/check-install.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

# find_package(instruments CONFIG)
for example in embed system-monitor; do
    cmake -S "$here/examples/$example" -B "$work/cmake-$example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_PREFIX_PATH="$prefix" >"$work/cmake-$example.log" 2>&1 ||
        { cat "$work/cmake-$example.log"; echo "check-install: configuring $example failed" >&2; exit 1; }
    cmake --build "$work/cmake-$example" >>"$work/cmake-$example.log" 2>&1 ||
        { cat "$work/cmake-$example.log"; echo "check-install: building $example failed" >&2; exit 1; }
done

# pkg-config
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
c++ -O1 -o "$work/embed-pc" "$here/examples/embed/embed.cpp" $(pkg-config --cflags --libs instruments)
c++ -O1 -o "$work/monitor-pc" "$here/examples/system-monitor/system-monitor.cpp" \
    $(pkg-config --cflags --libs instruments-window)

for program in "$work/cmake-embed/embed" "$work/embed-pc"; do
    rm -f "$work/out.png"
    "$program" --text "12:34:56" --out "$work/out.png" >/dev/null
    # A PNG signature and a 210 x 55 header.
    signature=$(od -An -tx1 -N8 "$work/out.png" | tr -d ' \n')
    size=$(od -An -tu1 -j16 -N8 "$work/out.png" | tr -s ' ' | sed 's/^ //')
    [ "$signature" = "89504e470d0a1a0a" ] || { echo "check-install: $program wrote no PNG" >&2; exit 1; }
    [ "$size" = "0 0 0 210 0 0 0 55" ] || { echo "check-install: $program wrote a picture of $size" >&2; exit 1; }
    if "$program" --bogus 2>/dev/null; then
        echo "check-install: $program accepted a bad argument" >&2
        exit 1
    fi
done
echo "check-install: installed, both examples built with find_package and with pkg-config, embed runs"
