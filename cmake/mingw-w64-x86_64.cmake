# Cross-building the Windows program with Debian's mingw-w64 for x86_64 (g++-mingw-w64-x86-64):
#
#     cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The win32-threads variant of the compiler is taken when it is there: Zorvin starts no thread of
# its own, and that variant's C++ runtime needs no POSIX threads library inside the program, which
# g++ 16's would grow by a tenth. The program links its C++ runtime statically either way, so the
# result needs no DLL of the compiler's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(zorvin_mingw x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${zorvin_mingw}-gcc-win32 ${zorvin_mingw}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${zorvin_mingw}-g++-win32 ${zorvin_mingw}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${zorvin_mingw}-windres REQUIRED)

# Libraries and headers come from the cross environment only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${zorvin_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
