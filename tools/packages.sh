# Package lists shared by play.sh and test.sh (sourced, not run).
BUILD_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libfreetype-dev
                libvorbis-dev libogg-dev)
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xauth xdotool openbox wmctrl x11-utils
               vorbis-tools python3 imagemagick)
# Generators of data/ (sounds and music): only tools/regen_sounds.sh needs these.
TOOLS_PACKAGES=(python3 python3-numpy vorbis-tools sox)
# ...and of assets/ (pictures and font): tools/regen_assets.sh.
TOOLS_PACKAGES+=(python3-fonttools)
