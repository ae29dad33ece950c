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

VANTREL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config zlib1g-dev libgtest-dev libgmock-dev python3)
# Python writes the manual pages and shell completions. The tests use Info-ZIP and Python where they are there and read a real
# TrueType font; test.sh checks the formatting with clang-format and builds
# the fuzz harnesses with clang and its libFuzzer runtime.
VANTREL_TEST_PACKAGES=(zip unzip python3 clang-format fonts-dejavu-core clang libclang-rt-dev)
# The package and desktop checks: the Debian package (dpkg-shlibdeps, file,
# lintian), the desktop entry and the AppStream metainfo.
VANTREL_TEST_PACKAGES+=(dpkg-dev file lintian desktop-file-utils appstream)
# The wizard (Qt 6 Widgets, Network and Test; the Linguist tools that build
# its translations and Qt's own translations of its standard buttons), a
# virtual display for running it without a screen, and a font for its texts.
VANTREL_WIZARD_PACKAGES=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n xvfb xauth fonts-dejavu-core)
# The Windows build: the mingw-w64 cross compiler and zlib for it, GoogleTest's
# sources (compiled for Windows with the tests) and wine to run the programs.
VANTREL_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine wine64)
