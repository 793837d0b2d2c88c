#!/usr/bin/env bash
# Runs Zorvin. On a desktop it starts the program there. On a machine with no display it starts it
# on a virtual screen with a window manager, moves the pointer around the face, saves a screenshot
# for each place (build/screenshots/) and prints where the pupils are, then ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ZORVIN_BUILD_DIR:-$root/build}")
zorvin=$build/release/zorvin

"$root/scripts/install-deps.sh" run
cmake -S "$root" -B "$build/release" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build "$build/release" --target zorvin -j "$(nproc)"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$zorvin"
fi
echo "No display: showing Zorvin on a virtual screen instead."
cd "$root"
exec /usr/bin/python3 -B -m scripts.demo "$zorvin" "$build/screenshots"
