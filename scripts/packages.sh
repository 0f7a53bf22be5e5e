# The Debian packages each command needs (sourced by the scripts).
# fonts-liberation: a sans-serif with the metrics the window is laid out for.
# libusb-1.0-0-dev, pkg-config: the native USB link. help2man: the manual page from --help.
# qt6-charts-dev, libqt6opengl6-dev (which Qt Charts needs and does not pull in): the sequence's
# plot and the output voltages' bar chart.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev libgl-dev fonts-liberation libusb-1.0-0-dev pkg-config
  help2man qt6-charts-dev libqt6opengl6-dev)
# python3-pymeasure and python3-pyvisa-py: the Python instrument class and its end-to-end test.
# umockdev, libumockdev-dev: the emulated USB board; desktop-file-utils, appstream: the desktop
# entry and metainfo checks; dpkg-dev, file, binutils, lintian: the Debian package built and
# inspected. python3-matplotlib: the sweep example's plot; python3-setuptools, python3-venv,
# python3-pip: the Python package installed with pip into a virtual environment.
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev python3-pymeasure python3-pyvisa-py umockdev
  libumockdev-dev desktop-file-utils appstream dpkg-dev file binutils lintian python3-matplotlib
  python3-setuptools python3-venv python3-pip)
# libFuzzer: Clang, and its runtime libraries (the fuzzer driver and the sanitizers for Clang);
# qt6-base-dev: Qt Core for the setup file reader's target.
FUZZ_PACKAGES=(cmake make g++ clang-14 libclang-rt-14-dev libusb-1.0-0-dev pkg-config qt6-base-dev)
# The Windows build of the core: the MinGW-w64 compilers with posix threads, GoogleTest's source
# to build for Windows, and wine to run the tests.
MINGW_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest wine wine64)
QUALITY_PACKAGES=("${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" "${MINGW_PACKAGES[@]}")
