#!/usr/bin/env bash
# A user's run of the Windows programs under wine: a project made with
# vantrel-cli.exe from a folder with names outside ASCII, a CD set built and
# verified; then one project built by the Linux and the Windows vantrel-cli
# with SOURCE_DATE_EPOCH gives the same bytes on both systems (the set's
# log, which names the folders, aside), as a CD set and as a floppy set of
# 1.44 MB disks, verified; and `cmake --install` gives a tree
# whose vantrel-cli.exe works from any folder.
#
#   windows_user_test.sh LINUX_CLI WINDOWS_BUILD_FOLDER
set -euo pipefail
linux_cli=$(realpath "$1")
win_build=$(cd "$2" && pwd)
export WINEPREFIX="$win_build/wineprefix" WINEDEBUG=-all SOURCE_DATE_EPOCH=1700000000
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-windows-test.XXXXXX")
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
cd "$work"
install="$win_build/share/vantrel/installation"
export VANTREL_MACHINE_REG="$work/machine.reg" VANTREL_USER_REG="$work/user.reg"
fail() { echo "windows_user_test: $*" >&2; exit 1; }
win() { wine "$win_build/vantrel-cli.exe" --install-location "Z:$install" "$@"; }

mkdir -p "src/Données/été" src/bin
printf 'lisez-moi\r\n' > "src/Données/lisez-moi.txt"
printf 'deep\r\n' > "src/Données/été/notes ü.txt"
head -c 200000 /dev/zero | tr '\0' 'x' > src/bin/app.exe

win new "Démo.zlt" --name "Démo" --company "Acmé" --version 1.0 >/dev/null || fail "new"
win add-files "Démo.zlt" src >/dev/null || fail "add-files"
shown=$(win show "Démo.zlt") || fail "show"
grep -q "notes ü.txt" <<<"$shown" || fail "show does not list notes ü.txt"
win build "Démo.zlt" --media cd-win --size 100MB >/dev/null || fail "build of the CD set"
win verify cd-win --project "Démo.zlt" >/dev/null || fail "verify of the CD set"
[ -f "cd-win/src/Données/été/notes ü.txt" ] || [ -n "$(find cd-win -name 'notes ü.txt')" ] ||
    fail "the CD set lacks notes ü.txt"

# One project, made on Linux, built on both systems from the same sources
# with the same installation: the sets hold the same bytes.
"$linux_cli" --install-location "$install" new Same.zlt --name "Démo" --company "Acmé" \
    --version 1.0 >/dev/null || fail "new on Linux"
"$linux_cli" --install-location "$install" add-files Same.zlt src >/dev/null ||
    fail "add-files on Linux"
"$linux_cli" --install-location "$install" build Same.zlt --media same-linux --size 100MB \
    >/dev/null || fail "the Linux build of the CD set"
win build Same.zlt --media same-win --size 100MB >/dev/null || fail "the Windows build of Same.zlt"
if ! diff -r -x setup.log same-win same-linux >/dev/null; then
    diff -r -q -x setup.log same-win same-linux >&2 || true
    fail "the CD sets built on Windows and on Linux differ"
fi
# A floppy set of 1.44 MB disks from the same folder and an incompressible
# file, built by vantrel-cli.exe and verified; and the same bytes from the
# Linux build. It starts the Linux build's sample engine: the Windows one,
# with its runtime linked in, is larger than a first disk holds.
floppy_install=$(dirname "$linux_cli")/share/vantrel/installation
mkdir floppy-src
cp -r src/. floppy-src/
head -c 1600000 /dev/urandom > "floppy-src/Données/archivé.bin"
"$linux_cli" --install-location "$floppy_install" new Floppy.zlt --name "Démo" --company "Acmé" \
    --version 1.0 >/dev/null || fail "new Floppy.zlt on Linux"
"$linux_cli" --install-location "$floppy_install" add-files Floppy.zlt floppy-src >/dev/null ||
    fail "add-files to Floppy.zlt on Linux"
wine "$win_build/vantrel-cli.exe" --install-location "Z:$floppy_install" build Floppy.zlt \
    --media fd-win --size 1.44MB >/dev/null 2>floppy.err ||
    { cat floppy.err >&2; fail "the Windows build of the floppy set"; }
[ -d fd-win/disk002 ] || fail "the floppy set has one disk only"
[ -z "$(find fd-win -name '~ZLT*')" ] || fail "the floppy build left its temporary folder"
wine "$win_build/vantrel-cli.exe" --install-location "Z:$floppy_install" verify fd-win \
    --project Floppy.zlt >/dev/null || fail "verify of the floppy set"
"$linux_cli" --install-location "$floppy_install" build Floppy.zlt --media fd-linux --size 1.44MB \
    >/dev/null 2>&1 || fail "the Linux build of the floppy set"
# A floppy set packs its log into the first disk's archive: the sets are
# compared unpacked (an archive that unzip cannot read, such as a piece of a
# split one, as it is).
unpack_all() {
    local f more=1
    cp -r "$1" "$2"
    while [ -n "$more" ]; do
        more=
        while IFS= read -r -d '' f; do
            if unzip -q -o "$f" -d "$f.unpacked" 2>/dev/null; then
                rm "$f"
                more=1
            else
                mv "$f" "$f.raw"
            fi
        done < <(find "$2" -type f -name '*.cfi' -print0)
    done
}
unpack_all fd-win fd-win.unpacked
unpack_all fd-linux fd-linux.unpacked
if ! diff -r -x setup.log fd-win.unpacked fd-linux.unpacked >/dev/null; then
    diff -r -q -x setup.log fd-win.unpacked fd-linux.unpacked >&2 || true
    fail "the floppy sets built on Windows and on Linux differ"
fi

# The installed tree runs from any folder: the installed tool finds the
# installed sample installation through its own machine hive.
cmake --install "$win_build" --prefix "$work/installed" >/dev/null || fail "cmake --install"
mkdir elsewhere
(
    cd elsewhere
    unset VANTREL_MACHINE_REG
    wine "$work/installed/bin/vantrel-cli.exe" new Installed.zlt --name Demo >/dev/null &&
        wine "$work/installed/bin/vantrel-cli.exe" add-files Installed.zlt ../src >/dev/null &&
        wine "$work/installed/bin/vantrel-cli.exe" build Installed.zlt --media set --size 100MB \
            >/dev/null
) || fail "the installed vantrel-cli.exe cannot build a set"
[ -f elsewhere/set/setup32.exe ] || fail "the installed tool's set has no setup32.exe"
echo "windows_user_test: passed"
