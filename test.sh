#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vantrel_need_packages "${VANTREL_BUILD_PACKAGES[@]}" "${VANTREL_TEST_PACKAGES[@]}" ${VANTREL_WIZARD_PACKAGES[@]+"${VANTREL_WIZARD_PACKAGES[@]}"}

jobs=$(nproc 2>/dev/null || echo 2)

# Configuring again is quick and picks up folders added since the last run.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVANTREL_SANITIZE=ON -DVANTREL_WIZARD=OFF -DVANTREL_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")
echo "All tests passed."
