#!/usr/bin/env bash
# Builds the browser module and pages into web/dist/ with Debian's Emscripten:
#
#   web/build.sh [BUILD_FOLDER]     (default: build-web)
#
# FreeType comes from Debian's source package of the very version the native
# build uses, so text has the same pixels in both; the DejaVu faces travel in
# the module, cut down to the characters the instruments can show.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build-web}" && cd "${1:-$root/build-web}" && pwd)
# Debian's Emscripten loads its own tools through Node.js from here.
export NODE_PATH=/usr/share/nodejs
# Its library cache is read-only for ordinary users; the prebuilt libraries
# there are all this build needs, and anything else it would build lands here.
if [ ! -w /usr/share/emscripten/cache ]; then
    export EM_CACHE="$build/emscripten-cache"
    if [ ! -d "$EM_CACHE" ]; then
        mkdir -p "$EM_CACHE"
        cp -rs /usr/share/emscripten/cache/. "$EM_CACHE/"
        rm -f "$EM_CACHE/cache.lock"
    fi
fi

# FreeType for WebAssembly.
freetype_version=$(dpkg-query -W -f='${source:Version}' libfreetype6)
freetype="$build/freetype-$freetype_version"
if [ ! -f "$freetype/lib/libfreetype.a" ]; then
    rm -rf "$build/freetype-source" && mkdir -p "$build/freetype-source"
    (cd "$build/freetype-source" && apt-get source -qq "freetype=$freetype_version" >/dev/null)
    source_dir=$(find "$build/freetype-source" -mindepth 1 -maxdepth 1 -type d -name 'freetype-*' | head -n 1)
    emcmake cmake -S "$source_dir" -B "$build/freetype-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
    cmake --build "$build/freetype-build"
    cmake --install "$build/freetype-build" >/dev/null
fi

# The faces: Latin-1 and the rest of Windows-1252, hinting kept.
fonts="$build/web/fonts"
mkdir -p "$fonts"
cp1252="U+0020-007E,U+00A0-00FF,U+0152-0153,U+0160-0161,U+0178,U+017D-017E,U+0192,U+02C6,U+02DC,U+2013-2014"
cp1252="$cp1252,U+2018-201A,U+201C-201E,U+2020-2022,U+2026,U+2030,U+2039-203A,U+20AC,U+2122"
for face in DejaVuSans DejaVuSans-Bold DejaVuSans-Oblique DejaVuSans-BoldOblique; do
    source_face="/usr/share/fonts/truetype/dejavu/$face.ttf"
    if [ ! -f "$fonts/$face.ttf" ] || [ "$source_face" -nt "$fonts/$face.ttf" ]; then
        /usr/bin/python3 -m fontTools.subset "$source_face" --unicodes="$cp1252" --output-file="$fonts/$face.ttf" \
            --notdef-outline --name-IDs="*" --layout-features=""
    fi
done

emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DINSTRUMENTS_WEB_FREETYPE="$freetype" >/dev/null
cmake --build "$build"
mkdir -p "$root/web/dist"
cp "$build/dist/"* "$root/web/dist/"
echo "web/dist: $(cd "$root/web/dist" && ls | tr '\n' ' ')"
