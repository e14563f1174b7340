# Toolchain: Debian 12's clang 14 for the 64-bit Windows target, with the headers, libraries and
# posix-threads runtime of the gcc-mingw-w64 toolchain; statically linked like the gcc build.
# The second compiler of the tests: the released program stays built by gcc.
#   cmake -S . -B build-clang64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_tc x86_64-w64-mingw32)
set(_target x86_64-w64-windows-gnu)
# Debian names the gcc folder 12-posix, a version clang 14 cannot read: it would miss
# libstdc++ and fall back to the host's /usr/include. Both are named here instead.
set(_gcc /usr/lib/gcc/${_tc}/12-posix)

set(CMAKE_C_COMPILER   clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET   ${_target})
set(CMAKE_CXX_COMPILER_TARGET ${_target})
set(CMAKE_RC_COMPILER  ${_tc}-windres)
set(CMAKE_SYSROOT /usr/${_tc})

set(CMAKE_CXX_FLAGS_INIT "-isystem ${_gcc}/include/c++ -isystem ${_gcc}/include/c++/${_tc} -isystem ${_gcc}/include/c++/backward")
# LLVM's linker: mingw's ld warns on every type name that clang and libstdc++ lay out in
# sections of different sizes. -pthread links libwinpthread, which the posix libstdc++ needs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -pthread --ld-path=/usr/bin/ld.lld-14 -L${_gcc}")

set(CMAKE_FIND_ROOT_PATH /usr/${_tc})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
