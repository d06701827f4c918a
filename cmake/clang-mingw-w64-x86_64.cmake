# Cross-builds for 64-bit Windows with Debian's clang and LLVM tools (lld, llvm-windres) on the
# mingw-w64 headers and libraries, and GCC's libstdc++ for mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${triple})
find_program(CMAKE_RC_COMPILER NAMES llvm-windres llvm-windres-14 REQUIRED)
set(CMAKE_RC_FLAGS_INIT "--target=${triple}")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Clang 14 does not recognise Debian's GCC folder name ("12-posix"), so it is named here: the C++
# headers, and the folder of libstdc++ and the start-up objects (-B) and libraries (-L).
file(GLOB gcc_dirs /usr/lib/gcc/${triple}/*-posix)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${gcc_dir}/include/c++ ${gcc_dir}/include/c++/${triple} ${gcc_dir}/include/c++/backward)
set(link_flags "-fuse-ld=lld -B${gcc_dir} -L${gcc_dir}")
# One self-contained .exe, as with GCC; libstdc++'s posix threads need winpthread, which GCC's
# driver adds by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "${link_flags} -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread")
