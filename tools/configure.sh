#!/usr/bin/env bash
# Makes a build folder ready for `cmake --build`, whatever an earlier run left:
#
#   tools/configure.sh BUILD_FOLDER [CMAKE_ARGUMENTS...]
#
# - a folder configured for another source folder (a checkout copied or moved
#   with its build folders) is emptied and configured afresh;
# - a folder this user cannot write (left by a run as root) stops the run with
#   one line naming it and the fix;
# - a folder without build files is configured with the arguments;
# - anything else is left to the build, which reconfigures itself as needed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
shift
source_dir=$(pwd -P)

unwritable() {
    echo "$build: not writable by $(id -un) (left by a run as another user?); remove it: sudo rm -rf '$source_dir/$build'" >&2
    exit 2
}

if [ -e "$build" ]; then
    [ -d "$build" ] && [ -w "$build" ] && [ -x "$build" ] || unwritable
    if [ -n "$(find "$build" -maxdepth 2 ! -writable -print -quit 2>/dev/null)" ]; then
        unwritable
    fi
    cache="$build/CMakeCache.txt"
    if [ -f "$cache" ]; then
        configured_for=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
        cache_dir=$(sed -n 's/^CMAKE_CACHEFILE_DIR:INTERNAL=//p' "$cache")
        # Compared as real paths: a checkout reached through a link is the same checkout.
        if [ "$(realpath -qe "$configured_for" || true)" != "$source_dir" ] ||
            [ "$(realpath -qe "$cache_dir" || true)" != "$(realpath -e "$build")" ]; then
            echo "$build: configured for ${configured_for:-another folder}; configuring afresh for $source_dir"
            # Only what CMake and the build made: the folder itself stays.
            find "$build" -mindepth 1 -delete
        fi
    fi
fi

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja "$@"
fi
