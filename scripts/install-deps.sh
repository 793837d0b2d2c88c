#!/usr/bin/env bash
# Installs the packages Zorvin needs on Debian 12, 13 or 14 (testing), where any is missing, with
# sudo when not root. A package that some releases lack (Debian 14 has no Wine) is installed where
# the release has it; the tests that need it are skipped elsewhere.
#   install-deps.sh run       what building and running the Linux program takes
#   install-deps.sh package   what building both programs and making their packages takes
#   install-deps.sh test      all of that, and what the tests take
set -euo pipefail

run_packages=(
    build-essential cmake git
    qt6-base-dev libx11-dev libxcb1-dev libxcb-sync-dev libxcb-record0-dev libxi-dev libxrandr-dev
    # the cursor sessions of Sway, labwc and the other Wayland compositors that offer them (left
    # out where wayland-protocols predates them)
    libwayland-dev libwayland-bin wayland-protocols pkg-config
    # a virtual screen with a window manager, for machines with no display of their own
    xvfb openbox python3 python3-xlib
)
package_packages=(
    # the Debian package's dependencies, read from the program
    dpkg-dev
    # the Windows program, cross-built, and its installer
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wixl
)
test_packages=(
    clang
    googletest libgtest-dev libgmock-dev
    x11-utils wmctrl python3-pefile icewm x11-xserver-utils
    # a font with Thai and Latin letters, for the links' Thai-charset font under Wine
    fonts-tlwg-loma-ttf
    # checks of the packages and of the desktop files they install
    lintian desktop-file-utils appstream
    # the pupils under Wayland: headless KWin, GNOME Shell and Sway sessions (those of the release)
    # with XWayland, KWin's fake-input protocol for a client that moves its pointer, the buses and
    # D-Bus calls of the tests, and gjs for the Shell extension's module format
    kwin-wayland xwayland plasma-wayland-protocols sway
    gnome-shell gjs dbus dbus-bin python3-gi gir1.2-glib-2.0
    # Qt's Wayland platform, which a user's QT_QPA_PLATFORM=wayland would choose
    qt6-wayland
)
# Where the release has them: the Windows program and its installer, run under Wine; labwc (from
# Debian 13).
test_packages_where_available=(wine wine64 labwc)

optional=()
case "${1:-}" in
    run) packages=("${run_packages[@]}") ;;
    package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
    test)
        packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}")
        optional=("${test_packages_where_available[@]}")
        ;;
    *) echo "usage: $0 run|package|test" >&2; exit 2 ;;
esac

not_installed() {
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$package"
    done
}
mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t optional_missing < <(not_installed "${optional[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#optional_missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# What the release has is known only from fresh lists: a container image's are often deleted, and
# stale ones may name none of a package's versions. So they are refreshed before any question.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# A package the release has has a version to install; one it dropped may still be known, with none.
candidate() { apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p'; }
unavailable=()
for package in "${optional_missing[@]}"; do
    version=$(candidate "$package")
    if [ -n "$version" ] && [ "$version" != "(none)" ]; then
        missing+=("$package")
    else
        unavailable+=("$package")
    fi
done
[ ${#unavailable[@]} -gt 0 ] &&
    echo "This release has no package for ${unavailable[*]}: the tests that need them are skipped."
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
