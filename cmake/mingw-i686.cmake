# 32-bit Windows build: the program we ship (win32 thread model), and its Windows tests (posix,
# for GoogleTest), which run under Wine's 32-bit side.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORVEL_MINGW_THREADS win32 CACHE STRING "Thread model of the compilers: win32 or posix")
set(QUORVEL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-i686.sh)
