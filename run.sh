#!/usr/bin/env bash
# Builds the program and starts it. Arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vantrel_need_packages "${VANTREL_BUILD_PACKAGES[@]}" ${VANTREL_WIZARD_PACKAGES[@]+"${VANTREL_WIZARD_PACKAGES[@]}"}

[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vantrel-cli
if [ $# -eq 0 ]; then
    exec build/vantrel-cli --help
fi
exec build/vantrel-cli "$@"
