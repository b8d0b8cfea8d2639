# clang and lld as a second compiler for the MinGW-w64 targets, so the sources are held to two
# compilers' reading of C++. They use what the GCC builds use: MinGW-w64's headers and libraries,
# GCC's C++ library and runtime, and MinGW's windres. Clang does not find GCC's own folder by
# itself (Debian names it after the thread model: 12-win32, 12-posix), so the GCC driver of the
# same thread model names it here.
execute_process(COMMAND ${QUORVEL_MINGW_PREFIX}-g++-${QUORVEL_MINGW_THREADS} -print-libgcc-file-name
  OUTPUT_VARIABLE QUORVEL_GCC_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(QUORVEL_GCC_DIR "${QUORVEL_GCC_LIBGCC}" DIRECTORY)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${QUORVEL_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${QUORVEL_MINGW_PREFIX})
# MinGW-w64's folder as the root: without one, clang also searches the host's /usr/include and
# /usr/lib after MinGW-w64's own, and a Linux header that MinGW-w64 lacks (glibc's
# sys/single_threaded.h, which libstdc++ looks for) gets into a Windows program.
set(CMAKE_SYSROOT /usr/${QUORVEL_MINGW_PREFIX})
set(CMAKE_RC_COMPILER ${QUORVEL_MINGW_PREFIX}-windres)
set(CMAKE_AR ${QUORVEL_MINGW_PREFIX}-ar)
set(CMAKE_RANLIB ${QUORVEL_MINGW_PREFIX}-ranlib)
# As the platform's include folders (-isystem, ahead of MinGW-w64's C headers, as libstdc++'s
# wrappers need), so a CMAKE_CXX_FLAGS given on the command line does not lose them.
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${QUORVEL_GCC_DIR}/include/c++ ${QUORVEL_GCC_DIR}/include/c++/${QUORVEL_MINGW_PREFIX})
# The posix model's C++ library calls winpthread, which its GCC driver always links.
set(linker_flags "-fuse-ld=lld -L${QUORVEL_GCC_DIR}")
if(QUORVEL_MINGW_THREADS STREQUAL "posix")
  string(APPEND linker_flags " -pthread")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "${linker_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${linker_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${linker_flags}")
unset(linker_flags)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
