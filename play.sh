#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
bash tools/deps.sh "${BUILD_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORLENVAULT_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target orlenvault
exec ./build/orlenvault
