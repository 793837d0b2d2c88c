#!/usr/bin/env bash
# Installs what is missing, builds Zorvin with g++, with clang++ and cross-built for Windows, and
# runs every test: the forms on the in-memory backend, the artwork, and the real programs on their
# own virtual X server with a window manager.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVIN_BUILD_DIR:-$root/build}
jobs=$(nproc)

"$root/scripts/install-deps.sh" test

cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build/win32" -j "$jobs"

cmake -S "$root" -B "$build/clang" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build/clang" -j "$jobs"

cmake -S "$root" -B "$build/gcc" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
    -DZORVIN_EXE="$build/win32/Zorvin.exe"
cmake --build "$build/gcc" -j "$jobs"

ctest --test-dir "$build/gcc" --output-on-failure
