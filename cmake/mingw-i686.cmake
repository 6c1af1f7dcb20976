# 32-bit Windows with MinGW-w64: cross-compiled on Linux, whose tests run under Wine, or built on
# Windows itself in MSYS2's MINGW32 environment, whose tests run as they are.
if(CMAKE_HOST_WIN32)
    # The host is the target: no system name of our own, so CMake does not take this for a cross
    # build, and the compilers are the 32-bit ones first on the PATH.
    set(CMAKE_C_COMPILER gcc)
    set(CMAKE_CXX_COMPILER g++)
    set(CMAKE_RC_COMPILER windres)
else()
    set(CMAKE_SYSTEM_NAME Windows)
    set(CMAKE_SYSTEM_PROCESSOR i686)

    # The -posix compilers carry the thread model that GoogleTest needs.
    set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
    set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
    set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

    set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
    set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
    set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
    set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
    set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

    # Tests of the Windows build run under Wine.
    set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()

# Needs only Windows' own DLLs: the C++ runtime and winpthreads are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--large-address-aware")
