# The program users get: 32-bit Windows, built with MinGW-w64. Its tests run under Wine only where
# GPAIS_RUN_32BIT=ON, which scripts/test.sh passes where the machine runs 32-bit code and the
# 32-bit Wine is installed; elsewhere it is built and checked without running (see
# tests/CMakeLists.txt).
set(GPAIS_MINGW_TRIPLE i686-w64-mingw32)
set(GPAIS_WINE_LOADER /usr/lib/wine/wine)

# Windows 8 and later need a processor with SSE2, and the vector paths of the scan are the ones the
# tests run: the program users get takes them too, not the scalar fallbacks of an i686 default.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# 4 GB of address space under 64-bit Windows instead of 2 (a 64-bit program has it anyway).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--large-address-aware")

include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
