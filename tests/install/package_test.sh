#!/usr/bin/env bash
# Makes the Debian package of the build folder, unpacks it into a scratch root
# (dpkg -x, as installing would lay it out) and uses the unpacked
# vantrel-cli: a new project, files added, a set built and verified. Also
# checks what the package holds besides the programs.
#
#   package_test.sh CPACK BUILD_FOLDER [lintian]
#
# With "lintian", lintian checks the package too: an error fails the test,
# warnings are shown.
set -euo pipefail
cpack="$1" build="$2" check="${3:-}"
fail() { echo "package_test: $*" >&2; exit 1; }
command -v dpkg-deb >/dev/null || { echo "package_test: no dpkg-deb, skipped"; exit 0; }

scratch="$(mktemp -d "${TMPDIR:-/tmp}/vantrel-package-test-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
"$cpack" -G DEB -B "$scratch/deb" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$scratch"/deb/vantrel_*.deb)
version=$("$build/vantrel-cli" --version | cut -d' ' -f2)
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "the package's version is not $version-1"
dpkg-deb -f "$deb" Depends | grep -q 'libstdc++6' || fail "the package declares no dependencies"
if [ "$check" = lintian ]; then
    if command -v lintian >/dev/null; then
        lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' ||
            [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors"
    else
        echo "package_test: no lintian, not checked"
    fi
fi

root="$scratch/root"
dpkg -x "$deb" "$root"
for f in usr/bin/vantrel-cli usr/libexec/vantrel/setup-engine; do
    [ -x "$root/$f" ] && [ ! -L "$root/$f" ] || fail "$f is not a program"
done
for f in etc/vantrel/machine.reg usr/share/man/man1/vantrel-cli.1.gz \
         usr/share/bash-completion/completions/vantrel-cli \
         usr/share/zsh/vendor-completions/_vantrel-cli usr/share/doc/vantrel/copyright \
         usr/share/doc/vantrel/changelog.Debian.gz usr/share/vantrel/installation/Comps/Distrib.kvz; do
    [ -f "$root/$f" ] || fail "the package has no $f"
done
# The engine's start programs in the sample installation lead to libexec.
installation="$root/usr/share/vantrel/installation"
for f in Distrib/setup32.exe Distrib/Setup/setup.exe; do
    [ "$(readlink -f "$installation/$f")" = "$root/usr/libexec/vantrel/setup-engine" ] ||
        fail "$f does not lead to the engine in libexec"
done
# Nothing that runs lies below share/ apart from those links.
found=$(find "$root/usr/share" -type f -perm -u+x | head -1)
[ -z "$found" ] || fail "a program below share/: $found"
grep -q '"Install Location"="/usr/share/vantrel/installation"' "$root/etc/vantrel/machine.reg" ||
    fail "the machine hive does not name /usr/share/vantrel/installation"
zcat "$root/usr/share/man/man1/vantrel-cli.1.gz" | grep -q '^\.SH "COMMAND BUILD"' ||
    fail "the manual page has no section for build"

# The bash completion offers the commands, a command's options and projects.
complete_words() {
    (cd "$scratch/work" && bash -c 'complete() { :; }; compopt() { :; }; source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vantrel_cli; echo "${COMPREPLY[*]}"' \
        _ "$root/usr/share/bash-completion/completions/vantrel-cli" "$@")
}
mkdir -p "$scratch/work"
touch "$scratch/work/Ledger.zlt" "$scratch/work/notes.txt"
[ "$(complete_words vantrel-cli bu)" = build ] || fail "the completion does not offer build"
[ "$(complete_words vantrel-cli build Ledger.zlt --me)" = --media ] ||
    fail "the completion does not offer --media for build"
[ "$(complete_words vantrel-cli show L)" = Ledger.zlt ] || fail "the completion does not offer Ledger.zlt"
rm "$scratch/work/Ledger.zlt" "$scratch/work/notes.txt"

mkdir -p "$scratch/work/files"
echo "program" >"$scratch/work/files/demo.exe"
cd "$scratch/work"
cli() {
    env -u VANTREL_MACHINE_REG VANTREL_USER_REG="$scratch/user.reg" HOME="$scratch" \
        "$root/usr/bin/vantrel-cli" --install-location "$installation" "$@" >"$scratch/cli.log" 2>&1 ||
        { cat "$scratch/cli.log" >&2; fail "vantrel-cli $* failed"; }
}
cli new P.zlt --name Demo --company Acme
cli add-files P.zlt files
cli build P.zlt --media out --size 100MB
cli verify out --project P.zlt
grep -q 'the set is sound' "$scratch/cli.log" || { cat "$scratch/cli.log" >&2; fail "verify did not find the set sound"; }
[ -f out/setup32.exe ] && [ ! -L out/setup32.exe ] || fail "the set's start program is not a file of its own"
echo "package_test: built $(basename "$deb"), unpacked it and built and verified a set with it"
