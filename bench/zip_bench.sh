#!/usr/bin/env bash
# Times the archive writer against Info-ZIP zip on the same files, and
# measures the writer's peak resident size on the sets and on one 1 GB file.
# The sets: the mixed set of SIZE_MB, 1,000 tiny files in one folder (named
# to the archive call one by one, as the media builder names them) and
# 10,000 and 50,000 tiny files in nested folders. Each is packed with each
# thread count of THREADS (default "1 2").
#
#   bench/zip_bench.sh [SIZE_MB]        (default 200; work files in $BENCH_DIR,
#                                        default /tmp/vantrel-zip-bench)
# Set SKIP_BIG=1 to leave out the 1 GB file, SKIP_TINY=1 the tiny files;
# BUILD_DIR names a build folder to use (default build-bench).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
size_mb="${1:-200}"
work="${BENCH_DIR:-/tmp/vantrel-zip-bench}"
build="${BUILD_DIR:-$root/build-bench}"

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
# Tiny text files of 50 to 2,000 bytes: COUNT of them in FOLDER, PER to a
# nested folder (0: all in FOLDER itself).
tiny_set() {
    [ -d "$1" ] || python3 - "$1" "$2" "$3" <<'PY'
import os, random, sys
folder, count, per = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(count)
words = "setup archive disk component file folder registry shortcut install".split()
for i in range(count):
    d = folder if per == 0 else os.path.join(folder, "d%03d" % (i // per % 100),
                                             "e%03d" % (i // per // 100))
    os.makedirs(d, exist_ok=True)
    n = rng.randint(50, 2000)
    with open(os.path.join(d, "file%05d.txt" % i), "w") as f:
        f.write(" ".join(rng.choices(words, k=n // 7))[:n])
PY
}
sets=("$set_dir")
if [ "${SKIP_TINY:-0}" != 1 ]; then
    tiny_set "$work/one-folder-1000" 1000 0
    tiny_set "$work/nested-10000" 10000 50
    tiny_set "$work/nested-50000" 50000 50
    sets+=("$work/one-folder-1000" "$work/nested-10000" "$work/nested-50000")
fi
sync

# Wall, user and system seconds of a command (bash's own timer: it counts
# the command's children too). The wall ratio is the goal; the CPU figures
# tell how much of it was the machine being busy with other work.
TIMEFORMAT='%R %U %S'
timed() { { time "$@" >"$work/out.txt" 2>&1; } 2>"$work/time.txt"; cat "$work/time.txt"; }
cpu() { awk '{ printf "%.2f", $2 + $3 }' <<<"$1"; }
wall() { awk '{ printf "%.2f", $1 }' <<<"$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }'; }

for dir in "${sets[@]}"; do
    echo "== $(basename "$dir"): $(find "$dir" -type f | wc -l) files, $(du -sh "$dir" | cut -f1)"
    names=""
    case "$dir" in *one-folder*) names=names ;; esac
    for threads in ${THREADS:-1 2}; do
        rm -f "$work/ours.zip" "$work/infozip.zip"
        t_ours=$(timed "$pack" 6 "$work/ours.zip" "$dir" "$threads" $names)
        ours_out=$(cat "$work/out.txt")
        t_zip=$(cd "$dir" && timed zip -6 -r -q "$work/infozip.zip" .)
        printf 'ours, %s thread(s): %6.2f s wall, %6.2f s cpu  %s\n' "$threads" \
            "$(wall "$t_ours")" "$(cpu "$t_ours")" "$ours_out"
        printf 'zip -6 -r -q:       %6.2f s wall, %6.2f s cpu\n' "$(wall "$t_zip")" "$(cpu "$t_zip")"
        printf 'ratio ours/zip:     %6s wall, %6s cpu\n' \
            "$(ratio "$(wall "$t_ours")" "$(wall "$t_zip")")" \
            "$(ratio "$(cpu "$t_ours")" "$(cpu "$t_zip")")"
    done
    printf 'archive sizes:      ours %s bytes, zip %s bytes\n' \
        "$(stat -c %s "$work/ours.zip")" "$(stat -c %s "$work/infozip.zip")"
    unzip -tq "$work/ours.zip" >/dev/null && echo "unzip -t: ours OK"
done

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
