# Package lists shared by play.sh and test.sh (sourced, not run).
BUILD_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libfreetype-dev
                libvorbis-dev libogg-dev)
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xauth xdotool openbox wmctrl x11-utils)
