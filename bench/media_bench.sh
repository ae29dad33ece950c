#!/usr/bin/env bash
# Times "vantrel-cli build" on a mixed file set of about 200 MB against the
# plain tools doing the same amount of work on the same files:
#
#   floppy set at "1.44 MB"  against  zip -6 -r -q  (both deflate everything)
#   CD set at "640 MB"       against  cp -r         (both copy everything)
#
# and reports the builds' peak resident size.
#
#   bench/media_bench.sh [SIZE_MB]      (default 200; work files in $BENCH_DIR,
#                                        default /tmp/vantrel-media-bench)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
size_mb="${1:-200}"
work="${BENCH_DIR:-/tmp/vantrel-media-bench}"
build="${BENCH_BUILD:-$root/build-bench}"

command -v zip >/dev/null || { echo "media_bench: Info-ZIP zip is needed" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "media_bench: GNU time (/usr/bin/time) is needed" >&2; exit 1; }
mkdir -p "$work"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WIZARD=OFF -DVANTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target vantrel-cli vantrel-sample-installation -j 2 >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; exit 1; }
cli="$build/vantrel-cli"
# The build folder's copy of the sample installation holds the setup engine.
installation="$build/share/vantrel/installation"

set_dir="$work/set-${size_mb}mb"
[ -d "$set_dir" ] || python3 "$here/make_fileset.py" "$set_dir" --size-mb "$size_mb"

# A project holding the whole set, on the sample installation; the bench
# keeps its own registry files.
export VANTREL_USER_REG="$work/user.reg" VANTREL_MACHINE_REG="$work/machine.reg"
project="$work/bench.zlt"
run_cli() { "$cli" --install-location "$installation" "$@"; }
if [ ! -f "$project" ]; then
    run_cli new "$project" --name Bench --company Bench --force >/dev/null
    run_cli add-files "$project" "$set_dir" >/dev/null
fi

# Wall seconds and peak resident kilobytes of a command.
measure() {
    sync
    /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >"$work/out.txt" 2>&1 ||
        { cat "$work/out.txt" >&2; exit 1; }
    cat "$work/time.txt"
}
wall() { cut -d' ' -f1 <<<"$1"; }
peak() { cut -d' ' -f2 <<<"$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

echo "== file set: $set_dir ($(du -sh "$set_dir" | cut -f1), $(find "$set_dir" -type f | wc -l) files)"

rm -rf "$work/floppy" "$work/set.zip"
t_floppy=$(measure "$cli" --install-location "$installation" build "$project" \
    --media "$work/floppy" --size 1.44MB)
disks=$(find "$work/floppy" -maxdepth 1 -name 'disk*' -type d | wc -l)
t_zip=$(cd "$set_dir" && measure zip -6 -r -q "$work/set.zip" .)
rm -f "$work/set.zip"
bad=0
for a in "$work"/floppy/disk*/disk*.cfi; do unzip -tqq "$a" >/dev/null || bad=$((bad + 1)); done
rm -rf "$work/floppy"

rm -rf "$work/cd" "$work/copy"
t_cd=$(measure "$cli" --install-location "$installation" build "$project" \
    --media "$work/cd" --size 640MB)
t_cp=$(measure cp -r "$set_dir" "$work/copy")
rm -rf "$work/cd" "$work/copy"

printf 'floppy set (1.44 MB, %d disks, %d bad archives): %7.2f s\n' "$disks" "$bad" "$(wall "$t_floppy")"
printf 'zip -6 -r -q:                                   %7.2f s\n' "$(wall "$t_zip")"
printf 'floppy-build/zip ratio:  %s (goal <= 1.0)\n' "$(ratio "$(wall "$t_floppy")" "$(wall "$t_zip")")"
printf 'CD set (640 MB):                                %7.2f s\n' "$(wall "$t_cd")"
printf 'cp -r:                                          %7.2f s\n' "$(wall "$t_cp")"
printf 'CD-build/cp ratio:       %s (goal <= 1.0)\n' "$(ratio "$(wall "$t_cd")" "$(wall "$t_cp")")"
max_kb=$(( $(peak "$t_floppy") > $(peak "$t_cd") ? $(peak "$t_floppy") : $(peak "$t_cd") ))
printf 'peak resident size:      floppy %.1f MB, CD %.1f MB (goal < 64 MB)\n' \
    "$(awk -v k="$(peak "$t_floppy")" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="$(peak "$t_cd")" 'BEGIN { print k / 1024 }')"
[ "$max_kb" -lt 65536 ] || echo "media_bench: peak resident size over 64 MB" >&2
