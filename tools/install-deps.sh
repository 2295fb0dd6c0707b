#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# the source-package lists the browser build fetches FreeType's source from.
# As root it installs what is missing (non-interactively), refreshing the
# package lists first when they are missing or older than a day. As another
# user it goes through sudo when there is one, and otherwise names what is
# missing and stops.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev
    fonts-dejavu-core fonts-liberation
    clang libclang-rt-dev
    xvfb xauth openbox wmctrl xdotool x11-utils x11-apps
    python3 python3-dev pybind11-dev python3-pybind11 python3-numpy python3-pytest
    emscripten nodejs chromium dpkg-dev python3-fonttools
)
# npm comes with some builds of Node.js and is a package of its own in Debian's.
if ! command -v npm >/dev/null 2>&1; then
    packages+=(npm)
fi

# Source-package lists (deb-src) for the release this machine runs.
source_lists=/etc/apt/sources.list.d/instruments-deb-src.sources
has_source_lists() {
    grep -qs '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources ||
        grep -qs '^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list
}
need_source_lists=0
if ! has_source_lists; then
    need_source_lists=1
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ] && [ $need_source_lists -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Install them as root:  apt-get update && apt-get install -y ${missing[*]}" >&2
    fi
    if [ $need_source_lists -eq 1 ]; then
        echo "No deb-src lists: run tools/install-deps.sh as root once to add $source_lists" >&2
    fi
    exit 1
fi

# Package lists count as fresh when one of them changed within the last day.
lists_are_fresh() {
    [ -n "$(find /var/lib/apt/lists -maxdepth 1 -name '*_Packages*' -mmin -1440 -print -quit 2>/dev/null)" ]
}

apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=600)
if [ $need_source_lists -eq 1 ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "Adding the source-package lists of $codename: $source_lists"
    printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
        "Suites: $codename $codename-updates" "Components: main" \
        "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" "" \
        "Types: deb-src" "URIs: http://deb.debian.org/debian-security" "Suites: $codename-security" \
        "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
        "${as_root[@]}" tee "$source_lists" >/dev/null
    "${apt[@]}" update
fi
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
if ! lists_are_fresh; then
    "${apt[@]}" update
fi
if ! "${apt[@]}" install --no-install-recommends "${missing[@]}"; then
    "${apt[@]}" update
    "${apt[@]}" install --no-install-recommends "${missing[@]}"
fi
