#!/usr/bin/env bash
# Installs a build into a temporary prefix and builds the examples out of tree
# against it, through the CMake package and (embed and window-panel) through
# pkg-config, then runs embed and checks the picture it writes, and runs
# window-panel headless. Also checks that the core library
# needs no SDL2, that find_package prints nothing of its pkg-config look-ups and
# leaves the consumer's SDL2_* and PNG_* variables as they were, and that the
# pkg-config flags name no C++ standard (the consumer picks C++20 or later).
# From a shared build, also that the libraries export namespace instruments only.
#
#   tools/check-install.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }

# The installed core library neither needs nor calls SDL2.
core=
for candidate in "$prefix/lib/libinstruments.so" "$prefix/lib/libinstruments.a"; do
    [ -e "$candidate" ] && core=$candidate && break
done
[ -n "$core" ] || fail "no libinstruments in $prefix/lib"
cmake -DLIBRARY="$core" -DREADELF="$(command -v readelf)" -DNM="$(command -v nm)" \
    -P "$here/cmake/CheckNoSdl.cmake" >"$work/no-sdl.log" 2>&1 || { cat "$work/no-sdl.log"; fail "$core uses SDL2"; }

# A shared build exports namespace instruments only: every defined dynamic
# symbol (type information and virtual tables included) demangles into it.
for library in "$prefix"/lib/libinstruments*.so; do
    [ -e "$library" ] || continue
    nm -D --defined-only -C "$library" | cut -d' ' -f3- >"$work/exports.txt"
    [ -s "$work/exports.txt" ] || fail "$library exports nothing"
    if grep -Ev '^((typeinfo( name)?|vtable|VTT) for |(non-)?virtual thunk to )?instruments::' \
        "$work/exports.txt" >"$work/foreign.txt"; then
        cat "$work/foreign.txt" >&2
        fail "$library exports the symbols above, outside namespace instruments"
    fi
    exports="${exports:+$exports, }$(basename "$library") $(wc -l <"$work/exports.txt")"
done

# What find_package may print: nothing of pkg-config or the modules it looks up.
quiet_configure() {
    if grep -Ei "pkg-?config|checking for module|sdl2|libpng|freetype|fontconfig" "$1"; then
        fail "find_package(instruments) printed its dependency look-ups (above, from $1)"
    fi
}

# find_package(instruments CONFIG)
for example in embed window-panel sdl-texture system-monitor lcd-sketch gallery; do
    cmake -S "$here/examples/$example" -B "$work/cmake-$example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_PREFIX_PATH="$prefix" >"$work/cmake-$example.log" 2>&1 ||
        { cat "$work/cmake-$example.log"; fail "configuring $example failed"; }
    quiet_configure "$work/cmake-$example.log"
    cmake --build "$work/cmake-$example" >>"$work/cmake-$example.log" 2>&1 ||
        { cat "$work/cmake-$example.log"; fail "building $example failed"; }
done

# A consumer with variables of its own named like pkg-config's results: they
# keep their values, and no new SDL2_*, PNG_*, FREETYPE_* or FONTCONFIG_*
# variable appears.
mkdir -p "$work/consumer"
cat >"$work/consumer/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(consumer LANGUAGES CXX)
set(SDL2_LIBRARIES "the consumer's SDL2")
set(SDL2_FOUND "the consumer's answer")
set(PNG_FOUND "the consumer's PNG")
set(PNG_LIBRARIES "the consumer's libpng")
set(FREETYPE_INCLUDE_DIRS "the consumer's FreeType")
get_cmake_property(before VARIABLES)
find_package(instruments 0.4 CONFIG REQUIRED COMPONENTS window)
get_cmake_property(after VARIABLES)
foreach(variable SDL2_LIBRARIES SDL2_FOUND PNG_FOUND PNG_LIBRARIES FREETYPE_INCLUDE_DIRS)
    if(NOT ${variable} MATCHES "^the consumer's")
        message(FATAL_ERROR "find_package(instruments) changed ${variable} to '${${variable}}'")
    endif()
endforeach()
list(REMOVE_ITEM after ${before})
list(FILTER after INCLUDE REGEX "^(SDL2|PNG|FREETYPE|FONTCONFIG)_")
if(after)
    message(FATAL_ERROR "find_package(instruments) set ${after}")
endif()
add_executable(consumer ${EMBED_SOURCE})
target_link_libraries(consumer PRIVATE instruments::instruments)
CMAKE
cmake -S "$work/consumer" -B "$work/cmake-consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DEMBED_SOURCE="$here/examples/embed/embed.cpp" >"$work/cmake-consumer.log" 2>&1 ||
    { cat "$work/cmake-consumer.log"; fail "the consumer with variables of its own could not be configured"; }
quiet_configure "$work/cmake-consumer.log"
cmake --build "$work/cmake-consumer" >>"$work/cmake-consumer.log" 2>&1 ||
    { cat "$work/cmake-consumer.log"; fail "the consumer with variables of its own could not be built"; }

# pkg-config: the flags name no standard, so the consumer gives its own (the
# compiler's default, C++17 on Debian 12, is too old for the headers).
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
for module in instruments instruments-window; do
    case " $(pkg-config --cflags "$module") " in
        *" -std="*) fail "pkg-config --cflags $module names a C++ standard" ;;
    esac
done
case " $(pkg-config --print-requires instruments) $(pkg-config --print-requires-private instruments) " in
    *sdl2*) fail "the instruments pkg-config module requires SDL2" ;;
esac
c++ -std=c++20 -O1 -o "$work/embed-pc" "$here/examples/embed/embed.cpp" $(pkg-config --cflags --libs instruments)
c++ -std=c++23 -O1 -o "$work/embed-pc23" "$here/examples/embed/embed.cpp" $(pkg-config --cflags --libs instruments)
c++ -std=c++20 -O1 -o "$work/panel-pc" "$here/examples/window-panel/window-panel.cpp" \
    $(pkg-config --cflags --libs instruments-window)

# A shared build's programs from pkg-config have no run path to the prefix.
export LD_LIBRARY_PATH=$prefix/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
for program in "$work/cmake-embed/embed" "$work/embed-pc" "$work/embed-pc23" "$work/cmake-consumer/consumer"; do
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
for program in "$work/cmake-window-panel/window-panel" "$work/panel-pc"; do
    "$program" --headless >"$work/panel.log" || { cat "$work/panel.log"; fail "$program --headless failed"; }
done
# The Python package, when built: importable from the prefix's site folder
# alone (not the build's), and painting.
python_note=
site=$(find "$prefix/lib" -maxdepth 3 -type d -name instruments -path '*/dist-packages/*' -print -quit)
if [ -n "$site" ]; then
    (cd "$work" && PYTHONPATH=$(dirname "$site") PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 - "$site" <<'PY'
import sys
import instruments
assert instruments.__file__.startswith(sys.argv[1]), instruments.__file__
lcd = instruments.CharacterLcd(columns=16, rows=2)
lcd.begin()
lcd.print("installed")
assert lcd.render().size == instruments.CharacterLcd.size_of(columns=16, rows=2)
PY
    ) || fail "the installed Python package at $site does not import or paint"
    python_note=", the Python package imports from the prefix"
fi
echo "check-install: installed, core without SDL2,${exports:+ exports in instruments:: ($exports),} the examples built with find_package (quietly, consumer variables kept) and with pkg-config (-std=c++20 and c++23 given by the consumer), embed and window-panel run${python_note}"
