#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
bash tools/deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
bash tools/check_layout.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENVAULT_SANITIZE=ON -DORLENVAULT_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)"
