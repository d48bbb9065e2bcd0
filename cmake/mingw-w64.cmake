# Cross-compiles vadu for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# thread model, so the whole C++ standard library is there) and runs what it
# builds under Wine: ctest starts every test program through the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VADU_MINGW_HEDEF x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VADU_MINGW_HEDEF}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VADU_MINGW_HEDEF}-g++-posix)
set(CMAKE_RC_COMPILER ${VADU_MINGW_HEDEF}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VADU_MINGW_HEDEF})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime libraries (libgcc, libstdc++, winpthread) go into each program,
# so an executable needs nothing beyond the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
