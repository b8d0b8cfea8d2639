# 32-bit Windows build with clang and lld: the program (win32 thread model, as the shipped one).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORVEL_MINGW_THREADS win32 CACHE STRING "Thread model of GCC's libraries: win32 or posix")
set(QUORVEL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-i686.sh)
