# Cross-build for 64-bit Windows with Debian's MinGW-w64 compilers (posix thread model).
# Configure with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DDAC_EVAL_BUILD_UI=OFF: the chip
# model, the board link and their test suites. When wine is installed, the tests run under it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DAC_EVAL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DAC_EVAL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DAC_EVAL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${DAC_EVAL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DAC_EVAL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the compiler's runtime in themselves (libgcc, libstdc++ and the posix
# thread library), so an .exe runs alone; the DLLs take libgcc and libstdc++ statically too.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

find_program(DAC_EVAL_WINE NAMES wine)
if(DAC_EVAL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DAC_EVAL_WINE})
endif()
