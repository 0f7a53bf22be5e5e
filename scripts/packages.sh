# The Debian packages each command needs (sourced by the scripts).
# fonts-liberation: a sans-serif with the metrics the window is laid out for.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev libgl-dev fonts-liberation)
# python3-pymeasure and python3-pyvisa-py: the Python instrument class and its end-to-end test.
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev python3-pymeasure python3-pyvisa-py)
# libFuzzer: Clang, and its runtime libraries (the fuzzer driver and the sanitizers for Clang).
FUZZ_PACKAGES=(cmake make g++ clang-14 libclang-rt-14-dev)
# The Windows build of the core: the MinGW-w64 compilers with posix threads, GoogleTest's source
# to build for Windows, and wine to run the tests.
MINGW_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest wine wine64)
QUALITY_PACKAGES=("${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" "${MINGW_PACKAGES[@]}")
