#!/usr/bin/env bash
# Makes Zorvin's packages in dist/: the Debian package of the Linux program, and the Windows
# program's installer and portable zip. Installs what is missing and builds both programs in their
# Release configuration first. Its arguments are passed on to both builds' configurations (for
# example -DZORVIN_AUTHOR_NAME=...); ZORVIN_DIST_DIR names another folder than dist/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVIN_BUILD_DIR:-$root/build}
dist=${ZORVIN_DIST_DIR:-$root/dist}
jobs=$(nproc)

"$root/scripts/install-deps.sh" package

# The Debian package is for this machine's release: it takes the GNOME Shell extension in the
# format of the Shell this release has, naming that Shell's version. That version is taken from
# what is certain, the installed gnome-shell or else the release's own from fresh lists; a package
# is not made for a Shell guessed at. Naming the format yourself (-DZORVIN_GNOME_SHELL_FORMAT=)
# makes the package whatever the release has.
release_shell_version() {
    if dpkg-query -W -f='${db:Status-Status}' gnome-shell 2>/dev/null | grep -qx installed; then
        dpkg-query -W -f='${Version}' gnome-shell
        return
    fi
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    apt-cache policy gnome-shell 2>/dev/null | sed -n 's/^ *Candidate: //p'
}
release_shell=()
if [[ " $* " != *" -DZORVIN_GNOME_SHELL_FORMAT="* ]]; then
    shell=$(release_shell_version | sed -n 's/^\([0-9]*:\)\{0,1\}\([0-9][0-9]*\).*/\2/p')
    if [ -z "$shell" ]; then
        echo "$0: cannot tell which GNOME Shell this release has (gnome-shell is not installed," \
            "and apt knows no version of it), so not which format its extension takes: install" \
            "gnome-shell, or name the format, -DZORVIN_GNOME_SHELL_FORMAT=43 (GNOME 43 and 44)" \
            "or 45 (GNOME 45 and later)." >&2
        exit 1
    fi
    release_shell=(-DZORVIN_GNOME_SHELL_VERSIONS="$shell"
        -DZORVIN_GNOME_SHELL_FORMAT="$([ "$shell" -lt 45 ] && echo 43 || echo 45)")
fi
cmake -S "$root" -B "$build/gcc" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
    "${release_shell[@]}" "$@" >/dev/null
cmake --build "$build/gcc" -j "$jobs"
cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
cmake --build "$build/win32" -j "$jobs"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/gcc/CMakeCache.txt")
rm -rf "$dist"
mkdir -p "$dist"
(cd "$build/gcc" && cpack -G DEB -B "$build/gcc/packages" >/dev/null)
cp "$build/gcc/packages/zorvin_${version}-"*.deb "$dist/"
(cd "$build/win32" && cpack -G ZIP -B "$build/win32/packages" >/dev/null)
cp "$build/win32/packages/Zorvin-${version}-win64.zip" "$dist/"
(cd "$build/win32/package" && wixl --arch x64 --output "$dist/Zorvin-${version}-win64.msi" Zorvin.wxs)

echo "Packages in $dist:"
ls -1 "$dist"
