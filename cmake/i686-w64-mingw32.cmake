# Cross-builds 32-bit x86 Windows programs with Debian's MinGW-w64 compiler
# (package g++-mingw-w64-i686) and runs them, for tests, under Wine. The
# compiler is the one with POSIX threads, whose C++ library has std::mutex
# (GoogleTest needs it); linked statically, it adds no DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes are linked in, so the .exe needs only Windows' own
# DLLs and runs on a clean Windows with nothing beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(WINE_PROGRAM NAMES wine)
if(WINE_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${WINE_PROGRAM}")
endif()
