#!/usr/bin/env bash
# Checks the formatting of the sources, builds everything and runs every test:
# the normal build, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build with its tests under
# wine, then each fuzz harness of fuzz/ for a few thousand inputs (clang with
# libFuzzer). Warnings count as errors in every build.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vantrel_need_packages "${VANTREL_BUILD_PACKAGES[@]}" "${VANTREL_TEST_PACKAGES[@]}" ${VANTREL_WIZARD_PACKAGES[@]+"${VANTREL_WIZARD_PACKAGES[@]}"} \
    "${VANTREL_WINDOWS_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)

# The sources keep the style of .clang-format: every tracked .cpp and .h file.
check_format() {
    local files=() f out
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        while IFS= read -r f; do
            [ -f "$f" ] && files+=("$f")
        done < <(git ls-files -- '*.cpp' '*.h')
    else
        while IFS= read -r f; do files+=("$f"); done \
            < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
    fi
    [ ${#files[@]} -eq 0 ] && return 0
    out=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) && return 0
    echo "test.sh: these files do not follow .clang-format ($(clang-format --version)):" >&2
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$out" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
    echo "Format them with:  clang-format -i FILE..." >&2
    exit 1
}
check_format

# Every include points down the layers; only platform/ calls POSIX.
python3 scripts/check_layers.py

# Configuring again is quick and picks up folders added since the last run.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

# What a desktop and a packager see: the desktop entry, the AppStream
# metainfo, the shell completions; the manual pages, the JSON outputs, --help
# and "--" of every command and the .deb with lintian are tested by ctest
# above (tests/cli, tests/install).
desktop-file-validate cmake/vantrel.desktop
appstreamcli validate --no-net build/org.example.vantrel.metainfo.xml >/dev/null ||
    appstreamcli validate --no-net build/org.example.vantrel.metainfo.xml
bash -n build/shell-files/bash-completion/vantrel-cli
for f in man1/vantrel-cli.1.gz zsh/_vantrel-cli; do
    [ -s "build/shell-files/$f" ] || { echo "test.sh: build/shell-files/$f was not written" >&2; exit 1; }
done

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVANTREL_SANITIZE=ON -DVANTREL_WIZARD=OFF -DVANTREL_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")

# The Windows build: cross-compiled with mingw-w64 (static runtime, no
# wizard) and its tests run under wine, in a wine prefix of the build
# folder's own (CMake gives the tests WINEPREFIX and WINEDEBUG).
windows_start=$(date +%s)
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WIZARD=OFF -DVANTREL_WERROR=ON >/dev/null
cmake --build build-win -j "$jobs"
(
    export WINEPREFIX="$PWD/build-win/wineprefix" WINEDEBUG=-all
    [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
    (cd build-win && ctest --output-on-failure -j "$jobs")
    # As a user on Windows, and the same bytes as the Linux build makes.
    bash tests/windows/windows_user_test.sh build/vantrel-cli build-win
    wineserver --kill || true
)
echo "The Windows build and its tests under wine took $(($(date +%s) - windows_start)) s."

# The fuzz harnesses, briefly: a fixed number of inputs each, grown from the
# seed corpora with a fixed random seed, so that a run can be repeated
# (bench/fuzz.sh runs them for long).
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON \
    -DVANTREL_WIZARD=OFF -DVANTREL_TESTS=OFF -DVANTREL_WERROR=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target vantrel-fuzzers
bench/fuzz.sh --build build-fuzz -runs=2000 -seed=1
echo "All tests passed."
