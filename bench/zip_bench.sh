#!/usr/bin/env bash
# Times the archive writer against Info-ZIP zip on the same files, and
# measures the writer's peak resident size on the set and on one 1 GB file.
#
#   bench/zip_bench.sh [SIZE_MB]        (default 200; work files in $BENCH_DIR,
#                                        default /tmp/vantrel-zip-bench)
# Set SKIP_BIG=1 to leave out the 1 GB file.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
size_mb="${1:-200}"
work="${BENCH_DIR:-/tmp/vantrel-zip-bench}"
build="$root/build-bench"

command -v zip >/dev/null || { echo "zip_bench: Info-ZIP zip is needed" >&2; exit 1; }
mkdir -p "$work"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WIZARD=OFF -DVANTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target zip_pack -j 2 >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; exit 1; }
pack="$build/bench/zip_pack"

set_dir="$work/set-${size_mb}mb"
if [ ! -d "$set_dir" ]; then
    python3 "$here/make_fileset.py" "$set_dir" --size-mb "$size_mb"
fi
sync

# Wall, user and system seconds of a command (bash's own timer: it counts
# the command's children too). The wall ratio is the goal; the CPU figures
# tell how much of it was the machine being busy with other work.
TIMEFORMAT='%R %U %S'
timed() { { time "$@" >"$work/out.txt" 2>&1; } 2>"$work/time.txt"; cat "$work/time.txt"; }
cpu() { awk '{ printf "%.2f", $2 + $3 }' <<<"$1"; }
wall() { awk '{ printf "%.2f", $1 }' <<<"$1"; }

echo "== file set: $set_dir ($(du -sh "$set_dir" | cut -f1))"
rm -f "$work/ours.zip" "$work/infozip.zip"
t_ours=$(timed "$pack" 6 "$work/ours.zip" "$set_dir")
ours_out=$(cat "$work/out.txt")
t_zip=$(cd "$set_dir" && timed zip -6 -r -q "$work/infozip.zip" .)
printf 'ours (level 6):   %6.2f s wall, %6.2f s cpu  %s\n' "$(wall "$t_ours")" "$(cpu "$t_ours")" "$ours_out"
printf 'zip -6 -r -q:     %6.2f s wall, %6.2f s cpu\n' "$(wall "$t_zip")" "$(cpu "$t_zip")"
printf 'ratio ours/zip:   %6.3f wall (goal <= 1.0), %6.3f cpu\n' \
    "$(awk -v a="$(wall "$t_ours")" -v b="$(wall "$t_zip")" 'BEGIN { print a / b }')" \
    "$(awk -v a="$(cpu "$t_ours")" -v b="$(cpu "$t_zip")" 'BEGIN { print a / b }')"
printf 'archive sizes:    ours %s bytes, zip %s bytes\n' \
    "$(stat -c %s "$work/ours.zip")" "$(stat -c %s "$work/infozip.zip")"
unzip -tq "$work/ours.zip" >/dev/null && echo "unzip -t: ours OK"

if [ "${SKIP_BIG:-0}" != 1 ]; then
    big="$work/big"
    [ -f "$big/one.bin" ] || python3 "$here/make_fileset.py" "$big" --single-file-mb 1024
    echo "== one file of $(stat -c %s "$big/one.bin") bytes"
    rm -f "$work/big.zip"
    big_out=$("$pack" 6 "$work/big.zip" "$big")
    echo "ours (level 6):   $big_out"
    peak=$(echo "$big_out" | sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p')
    printf 'peak resident:    %.1f MB (goal < 32 MB)\n' "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    rm -f "$work/big.zip"
fi
