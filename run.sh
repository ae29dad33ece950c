#!/usr/bin/env bash
# Builds the wizard and starts it. Arguments are passed on to the program.
# Without a display, run it under a virtual one: xvfb-run ./run.sh
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vantrel_need_packages "${VANTREL_BUILD_PACKAGES[@]}" ${VANTREL_WIZARD_PACKAGES[@]+"${VANTREL_WIZARD_PACKAGES[@]}"}

# Configuring again is quick and picks up folders added since the last run.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vantrel vantrel-cli vantrel-sample-installation

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: there is no display to show the wizard on." >&2
    echo "Start it under a virtual display instead:  xvfb-run ./run.sh" >&2
    echo "(the command-line tool needs none: build/vantrel-cli --help)" >&2
    exit 1
fi

exec build/vantrel "$@"
