# The Debian packages each command needs (sourced by the scripts).
BUILD_PACKAGES=(cmake g++ make qt6-base-dev libgl-dev)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev)
