# Cross build for 64-bit Windows with mingw-w64; tests run under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DPOPOLUN_BUILD_UI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_popolun_triplet x86_64-w64-mingw32)
# The -posix variants: the win32-thread ones have no std::mutex or std::thread,
# which GoogleTest needs.
set(CMAKE_C_COMPILER ${_popolun_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_popolun_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_popolun_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_popolun_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, libstdc++ and winpthread too: the programs need no DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(POPOLUN_WINE NAMES wine wine64 wine-stable PATHS /usr/lib/wine)
if(POPOLUN_WINE)
  # Through a wrapper that starts again a process Wine ended before it began.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test-run ${POPOLUN_WINE})
endif()
