#!/usr/bin/env bash
# A user's run of the Windows programs under wine: a project made with
# vantrel-cli.exe from a folder with names outside ASCII, a CD set built and
# verified; then one project built by the Linux and the Windows vantrel-cli
# with SOURCE_DATE_EPOCH gives the same bytes on both systems (the set's
# log, which names the folders, aside), as a CD set and as a floppy set of
# 1.44 MB disks, verified; and `cmake --install` gives a tree whose
# vantrel-cli.exe works from any folder. At the end a set is installed on
# this machine (the wine prefix) with the sample engine and uninstalled.
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
# Where a component archive is split over the disks depends on how small
# the first disk's log packs, and the log names the folders; each piece
# carries its disk's mark. So the pieces are compared by their bytes in all
# (their content was checked against the sources by verify --project above),
# the component list, which gives the pieces' sizes, is left out, and
# everything else must be the same.
pieces_size() {
    find "$1" -type f -name '~[0-9][0-9][0-9]_*.cfi.raw' -printf '%s\n' | awk '{s += $1} END {print s}'
}
unpack_all fd-win fd-win.unpacked
unpack_all fd-linux fd-linux.unpacked
[ "$(pieces_size fd-win.unpacked)" = "$(pieces_size fd-linux.unpacked)" ] ||
    fail "the floppy sets built on Windows and on Linux have pieces of other sizes in all"
same=(-x setup.log -x ComponentList.cfi.unpacked -x '~[0-9][0-9][0-9]_*.cfi.raw')
if ! diff -r "${same[@]}" fd-win.unpacked fd-linux.unpacked >/dev/null; then
    diff -r -q "${same[@]}" fd-win.unpacked fd-linux.unpacked >&2 || true
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
# The sample engine installs a set on this machine as a user would:
# setup32.exe /install without a root puts the files into Program Files, the
# values into the registry (the wine prefix's own, not the hive files above),
# the shortcut into the Start menu as a shell link and the INI entry into its
# file; /uninstall takes all of it away again.
machine_install() {
    local drive_c="$WINEPREFIX/drive_c" product="Vantrel Test" app="Machine Démo"
    local target="$WINEPREFIX/drive_c/Program Files/Vantrel Test/Machine Démo"
    local engine="$work/machine-cd/setup32.exe" out link
    quiet() { out=$("$@" 2>&1) || { printf '%s\n' "$out" >&2; return 1; }; }
    engine() { env -u VANTREL_MACHINE_REG -u VANTREL_USER_REG wine "$engine" "$@"; }
    mkdir -p machine/src/bin
    printf 'MZ machine\r\n' > machine/src/bin/tool.exe
    printf '[Paths]\r\nOld=1\r\n' > machine/src/tool.ini
    quiet win new Machine.zlt --name "$app" --company "$product" --version 1.0 &&
        quiet win add-files Machine.zlt machine/src &&
        quiet win registry Machine.zlt add 'HKEY_LOCAL_MACHINE\Software\Vantrel Test\Machine' \
            --name Path --value '<Target Folder>' &&
        quiet win registry Machine.zlt add 'HKEY_CURRENT_USER\Software\Vantrel Test\Machine' \
            --name Runs --value 3 --type number &&
        quiet win shortcut Machine.zlt add '<Target Folder>\src\bin\tool.exe' --name "Machine Tool" &&
        quiet win ini Machine.zlt add '<Target Folder>\src\tool.ini' --section Paths --key Home \
            --value '<Target Folder>' &&
        quiet win build Machine.zlt --media machine-cd --size 100MB ||
        fail "the project to install on this machine"
    # What an earlier run that stopped half-way left in the prefix goes first.
    [ ! -f "$target/Uninstall.log" ] || engine /uninstall >/dev/null 2>&1 || true

    quiet engine /install || fail "setup32.exe /install on this machine"
    [ "$(cat "$target/src/bin/tool.exe")" = "$(printf 'MZ machine\r\n')" ] ||
        fail "tool.exe is not installed in $target"
    [ "$(cat "$target/src/tool.ini")" = "$(printf '[Paths]\r\nOld=1\r\nHome=C:\\Program Files\\Vantrel Test\\Machine Démo\r\n')" ] ||
        fail "the INI entry is not in tool.ini: $(cat -A "$target/src/tool.ini")"
    wine reg query 'HKLM\Software\Vantrel Test\Machine' /v Path 2>/dev/null |
        grep -q 'REG_SZ *C:\\Program Files\\Vantrel Test\\Machine' ||
        fail "the registry value HKLM\\Software\\Vantrel Test\\Machine Path is missing"
    wine reg query 'HKCU\Software\Vantrel Test\Machine' /v Runs 2>/dev/null |
        grep -q 'REG_DWORD *0x3' || fail "the registry value HKCU\\Software\\Vantrel Test\\Machine Runs is missing"
    link=$(find "$drive_c/users" -path "*/Start Menu/Programs/$app/Machine Tool.lnk")
    [ -n "$link" ] || fail "no shortcut Machine Tool.lnk in the Start menu"
    [ "$(head -c 4 "$link" | od -An -tx1 | tr -d ' ')" = 4c000000 ] ||
        fail "$link is no shell link"
    # A second install into the same place is refused.
    if engine /install >/dev/null 2>&1; then fail "a second /install was not refused"; fi

    quiet engine /uninstall || fail "setup32.exe /uninstall on this machine"
    [ ! -e "$drive_c/Program Files/$product" ] || fail "the uninstall left $drive_c/Program Files/$product"
    [ ! -e "$(dirname "$link")" ] || fail "the uninstall left the Start menu folder $(dirname "$link")"
    for key in 'HKLM\Software\Vantrel Test' 'HKCU\Software\Vantrel Test'; do
        if wine reg query "$key" >/dev/null 2>&1; then fail "the uninstall left the key $key"; fi
    done
    if engine /uninstall >/dev/null 2>&1; then fail "a second /uninstall did not fail"; fi
}
machine_install
echo "windows_user_test: passed"
