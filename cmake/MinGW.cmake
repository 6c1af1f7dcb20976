# The part of both Windows toolchains that does not depend on the width: included by
# mingw-i686.cmake and mingw-x86_64.cmake after they set GPAIS_MINGW_TRIPLE (i686-w64-mingw32 or
# x86_64-w64-mingw32) and GPAIS_WINE_LOADER (the Wine loader that runs programs of that width).
#
# Cross-compiled on Linux, the tests run under Wine; built on Windows itself in MSYS2's MINGW32 or
# MINGW64 environment, they run as they are.
if(CMAKE_HOST_WIN32)
    # The host is the target: no system name of our own, so CMake does not take this for a cross
    # build, and the compilers are the ones first on the PATH, of the environment's width.
    set(CMAKE_C_COMPILER gcc)
    set(CMAKE_CXX_COMPILER g++)
    set(CMAKE_RC_COMPILER windres)
else()
    set(CMAKE_SYSTEM_NAME Windows)
    string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${GPAIS_MINGW_TRIPLE}")

    # The -posix compilers carry the thread model that GoogleTest needs.
    set(CMAKE_C_COMPILER ${GPAIS_MINGW_TRIPLE}-gcc-posix)
    set(CMAKE_CXX_COMPILER ${GPAIS_MINGW_TRIPLE}-g++-posix)
    set(CMAKE_RC_COMPILER ${GPAIS_MINGW_TRIPLE}-windres)

    set(CMAKE_FIND_ROOT_PATH /usr/${GPAIS_MINGW_TRIPLE})
    set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
    set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
    set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
    set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

    # Tests of the Windows build run under Wine, through the loader of their own width: Debian's
    # "wine" wrapper takes the 32-bit loader whenever wine32 is installed, which cannot start a
    # 64-bit program, nor anything at all where the machine runs no 32-bit code.
    if(EXISTS ${GPAIS_WINE_LOADER})
        set(CMAKE_CROSSCOMPILING_EMULATOR ${GPAIS_WINE_LOADER})
    else()
        get_filename_component(loader_name ${GPAIS_WINE_LOADER} NAME)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${loader_name})
    endif()
endif()

# Needs only Windows' own DLLs: the C++ runtime and winpthreads are linked in. A toolchain file
# may have put flags of its width here first.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -static -static-libgcc -static-libstdc++")
