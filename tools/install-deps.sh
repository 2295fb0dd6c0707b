#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
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
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root:  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi

# Package lists count as fresh when one of them changed within the last day.
lists_are_fresh() {
    [ -n "$(find /var/lib/apt/lists -maxdepth 1 -name '*_Packages*' -mmin -1440 -print -quit 2>/dev/null)" ]
}

apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=600)
echo "Installing: ${missing[*]}"
if ! lists_are_fresh; then
    "${apt[@]}" update
fi
if ! "${apt[@]}" install --no-install-recommends "${missing[@]}"; then
    "${apt[@]}" update
    "${apt[@]}" install --no-install-recommends "${missing[@]}"
fi
