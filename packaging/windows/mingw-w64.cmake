# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix
# thread model), against the static toolkit and GMP that scripts/windows.sh
# builds into DUAL_SIMPLEX_WIN_PREFIX (qt5/ and gmp/ below it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

if(NOT DUAL_SIMPLEX_WIN_PREFIX)
    set(DUAL_SIMPLEX_WIN_PREFIX "$ENV{HOME}/.cache/dual-simplex-windows")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${DUAL_SIMPLEX_WIN_PREFIX}/qt5 ${DUAL_SIMPLEX_WIN_PREFIX}/gmp)
set(CMAKE_PREFIX_PATH ${DUAL_SIMPLEX_WIN_PREFIX}/qt5 ${DUAL_SIMPLEX_WIN_PREFIX}/gmp)
# The toolkit's tools (moc, uic, rcc) run here; its libraries and headers,
# and GMP's, are the target's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One executable that needs no DLL but the system's: the compiler's runtime
# linked in too.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
