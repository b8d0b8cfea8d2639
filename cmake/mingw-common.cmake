# The thread model of the compilers: -posix where GoogleTest is built (it needs std::mutex, which
# the win32 model lacks); -win32 for a program alone, whose one thread then needs no POSIX
# threads library (about 30 KB that the posix model's exception handling would pull in).
set(CMAKE_C_COMPILER ${QUORVEL_MINGW_PREFIX}-gcc-${QUORVEL_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${QUORVEL_MINGW_PREFIX}-g++-${QUORVEL_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${QUORVEL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

