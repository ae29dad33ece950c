#!/usr/bin/env bash
# Installs the build folder into a scratch prefix and uses the installed
# command-line tool from another folder: a new project, files added, a set
# built, and the set's start program run.
#
#   install_test.sh CMAKE BUILD_FOLDER WIZARD(ON|OFF)
set -euo pipefail
cmake="$1" build="$2" wizard="$3"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/vantrel-install-test-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() { echo "install_test: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }

installation="$prefix/share/vantrel/installation"
for f in bin/vantrel-cli share/vantrel/installation/Distrib/setup32.exe \
         share/vantrel/installation/Distrib/Setup/setup.exe; do
    [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
[ -x "$prefix/libexec/vantrel/setup-engine" ] || fail "libexec/vantrel/setup-engine is not installed"
for f in share/vantrel/installation/Comps/Distrib.kvz share/vantrel/installation/Distrib/Setup/Setup.str \
         share/man/man1/vantrel-cli.1.gz share/bash-completion/completions/vantrel-cli \
         share/zsh/vendor-completions/_vantrel-cli; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ -d "$installation/MySetup" ] || fail "the installation's MySetup folder is not installed"
if [ "$wizard" = ON ]; then
    for f in bin/vantrel share/vantrel/help/Zlt9en.hlp/index.html \
             share/applications/vantrel.desktop share/icons/hicolor/256x256/apps/vantrel.png \
             share/icons/hicolor/48x48/apps/vantrel.png share/icons/hicolor/scalable/apps/vantrel.svg \
             share/metainfo/org.example.vantrel.metainfo.xml share/mime/packages/vantrel.xml \
             share/man/man1/vantrel.1.gz; do
        [ -f "$prefix/$f" ] || fail "$f is not installed"
    done
fi
# The machine hive names the installed sample installation, CR LF line ends.
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\SOFTWARE\OXBEL\ZLT\9.0]' "\"Install Location\"=\"$installation\"" \
    >"$scratch/expected.reg"
cmp -s "$scratch/expected.reg" "$prefix/etc/vantrel/machine.reg" ||
    fail "etc/vantrel/machine.reg: $(cat -A "$prefix/etc/vantrel/machine.reg")"

# From another folder, with a user hive of its own and no machine hive given:
# the tool finds the installed hive beside its prefix.
mkdir -p "$scratch/work/files/docs"
echo "program" >"$scratch/work/files/demo.exe"
echo "read me" >"$scratch/work/files/docs/manual.txt"
cd "$scratch/work"
cli() {
    env -u VANTREL_MACHINE_REG VANTREL_USER_REG="$scratch/user.reg" HOME="$scratch" \
        XDG_CONFIG_HOME="$scratch/config" "$prefix/bin/vantrel-cli" "$@" >"$scratch/cli.log" 2>&1 ||
        { cat "$scratch/cli.log" >&2; fail "vantrel-cli $* failed"; }
}
cli new P.zlt --name Demo --company Acme
cli add-files P.zlt files
cli build P.zlt --media out --size 100MB
for f in out/setup32.exe out/Setup/setup.exe out/Setup/Setup.str; do
    [ -f "$f" ] || fail "the set has no $f"
done
out/setup32.exe >"$scratch/engine.log" 2>&1 || { cat "$scratch/engine.log" >&2; fail "out/setup32.exe failed"; }
grep -q '^Setup of Demo' "$scratch/engine.log" || { cat "$scratch/engine.log" >&2; fail "out/setup32.exe did not read the set"; }
echo "install_test: installed into a scratch prefix and built a set with it"
