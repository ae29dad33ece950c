# Sourced by run.sh and test.sh: installs the Debian packages that are missing.
# Idempotent; does nothing (and needs no network) when everything is there.
vantrel_need_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

VANTREL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config zlib1g-dev libgtest-dev libgmock-dev)
# The tests use Info-ZIP and Python where they are there and read a real
# TrueType font; test.sh checks the formatting with clang-format and builds
# the fuzz harnesses with clang and its libFuzzer runtime.
VANTREL_TEST_PACKAGES=(zip unzip python3 clang-format fonts-dejavu-core clang libclang-rt-dev)
# The wizard (Qt 6 Widgets, Network and Test), a virtual display for running
# it without a screen, and a font for its texts.
VANTREL_WIZARD_PACKAGES=(qt6-base-dev xvfb xauth fonts-dejavu-core)
# The Windows build: the mingw-w64 cross compiler and zlib for it, GoogleTest's
# sources (compiled for Windows with the tests) and wine to run the programs.
VANTREL_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine wine64)
