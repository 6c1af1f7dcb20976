# The 64-bit twin of the Windows programs: the same sources, built for x86_64 so that their tests
# run under 64-bit Wine on machines that run no 32-bit code. Nobody is handed these programs.
set(GPAIS_MINGW_TRIPLE x86_64-w64-mingw32)
set(GPAIS_WINE_LOADER /usr/lib/wine/wine64)

include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
