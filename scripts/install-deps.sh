#!/usr/bin/env bash
# Installs the Debian 12 packages Zorvin needs to build, run and test, where any is missing.
set -euo pipefail

packages=(
    # building
    build-essential cmake git clang
    # the Linux desktop program
    qt6-base-dev
    # tests
    googletest libgtest-dev libgmock-dev
    xvfb openbox x11-utils xdotool wmctrl python3 python3-xlib python3-pefile
    # the Windows program, cross-built and run under Wine
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
    # a font with Thai and Latin letters, for the links' Thai-charset font under Wine
    fonts-tlwg-loma-ttf
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
