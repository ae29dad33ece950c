#!/usr/bin/env bash
# Times vantrel-cli on many files and on large sets against the plain tools
# doing the same work on the same files, and prints one table:
#
#   work | ours median | reference median | ratio | our peak MB
#
# Each row runs our command and its reference in turn (ours, reference,
# ours, ...; one warm-up pair first), and the ratio is the median of the
# pair-by-pair ratios, so that a machine whose speed drifts during the run
# still gives a fair ratio. Times are whole-process wall seconds; the peak is
# the largest resident size of our runs (GNU time's %M).
#
# Rows (name: ours against the reference):
#   floppy-1k, floppy-10k, floppy-50k   720 KB floppy set of 1,000 / 10,000 /
#                                       50,000 tiny files    vs zip -6 -r -q
#   floppy-mix                          1.44 MB floppy set of the 200 MB mix
#                                       (about 2,000 files)   vs zip -6 -r -q
#   floppy-mix-pigz                     the same              vs tar c | pigz -6 -p2
#                                       (left out when pigz is not installed)
#   cd-mix, cd-10k, cd-50k              CD set of the mix / of 10,000 / 50,000
#                                       tiny files            vs cp -r of the files
#   cd-one                              CD set of a one-file project
#                                       vs cp -r of that very set
#   show-10k                            show of a 10,000-file project
#                                       vs unzip -o -q of its .zlt
#   open-save-50k                       set P.zlt CompanyName=... on a 50,000-file
#                                       project vs unzip + zip -6 of it
#   model-100k                          memory of the loaded element model: peak
#                                       RSS of show on a 10,000- and a 100,000-file
#                                       project, and the bytes per file between
#                                       them ((RSS 100k - RSS 10k) / 90,000; the
#                                       ratio column holds the bytes per file)
#   flat-1k, flat-3k, flat-5k           720 KB floppy set of 1,000 / 3,000 /
#                                       5,000 files in one folder vs zip -6 -r -q
#   verify-50k                          verify of the 1.44 MB floppy set of
#                                       50,000 tiny files    vs unzip -t of a
#                                       zip -6 of the same files
#   cd-100k                             CD set of 100,000 tiny files vs cp -r
#                                       (its peak is the row's figure)
#   floppy-100k                         1.44 MB floppy set of 100,000 tiny files:
#                                       refused before anything is written
#                                       (time to the refusal) vs zip -6 -r -q
#   size-1g                             1.44 MB floppy set of a 1 GB file (512 MB
#                                       random bytes, then 512 MB of text):
#                                       the size of the disks' archives against
#                                       zip -6 of the file (the ratio column is
#                                       the size ratio, the times are the builds)
#   wizard-files-50k, wizard-files-100k the wizard started offscreen on the
#                                       project of 50,000 / 100,000 tiny files,
#                                       Next up to the files page until its
#                                       target tree is painted (files_page_bench,
#                                       which ends there) vs show of the same
#                                       project: what opening the project and
#                                       visiting every file costs without a
#                                       window, so the ratio is what the page
#                                       adds. A line below the row splits the
#                                       time into its steps.
#
# The last column is the figure of the same work before this round, where
# one was taken (ratio, or time and size), so that old and new stand side by
# side.
#
#   bench/scale_bench.sh [--quick] [--only NAME[,NAME...]] [--runs N] [--list]
#
#   --quick    the rows that take seconds, not minutes (floppy-1k, flat-1k,
#              cd-10k, cd-one, show-10k, open-save-50k)
#   --only     just the rows named (repeatable)
#   --runs N   timed pairs per row (default 3)
#
# Work files go to $BENCH_DIR (default /tmp/vantrel-scale-bench; the file
# sets are made once with make_fileset.py and kept, about 1 GB in all with
# the mix). The build is $BENCH_BUILD (default build-bench: RelWithDebInfo,
# no wizard), made when needed; the sample installation of that build is the
# install location, and the bench keeps its own registry files. With
# $BENCH_CLI (a vantrel-cli binary beside its share/vantrel/installation)
# nothing is built and that binary is timed, e.g. a copy kept from before a
# change. The wizard rows build files_page_bench in $BENCH_WIZARD_BUILD
# (default build-bench-wizard: the same with the wizard), or time the binary
# $BENCH_PAGE. ./test.sh does not run this.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
work="${BENCH_DIR:-/tmp/vantrel-scale-bench}"
build="${BENCH_BUILD:-$root/build-bench}"

all_rows=(floppy-1k floppy-10k floppy-50k floppy-mix floppy-mix-pigz cd-mix cd-10k cd-50k
    cd-one show-10k open-save-50k model-100k flat-1k flat-3k flat-5k verify-50k cd-100k floppy-100k
    size-1g wizard-files-50k wizard-files-100k)
# The figures before this round, by row.
declare -A before=(
    [verify-50k]="22.3 s, 123x"
    [floppy-50k]="2.56 s, 1.66x, 160 MB"
    [floppy-mix-pigz]="1.1-1.2x"
    [open-save-50k]="0.25 s, 1.97x"
    [model-100k]="1,065 B/file"
    [cd-100k]="184 MB"
    [floppy-100k]="fails after packing"
    [size-1g]="1.66x zip's size"
    [wizard-files-50k]="0.45 s, 133 MB"
    [wizard-files-100k]="200 MB"
)
quick_rows=(floppy-1k flat-1k cd-10k cd-one show-10k open-save-50k)
rows=()
runs=3
while [ $# -gt 0 ]; do
    case "$1" in
        --quick) rows+=("${quick_rows[@]}"); shift ;;
        --only)
            IFS=, read -ra named <<<"$2"
            rows+=("${named[@]}")
            shift 2
            ;;
        --runs) runs=$2; shift 2 ;;
        --list) printf '%s\n' "${all_rows[@]}"; exit 0 ;;
        -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) echo "scale_bench: unknown argument $1" >&2; exit 2 ;;
    esac
done
[ ${#rows[@]} -eq 0 ] && rows=("${all_rows[@]}")
for r in "${rows[@]}"; do
    [[ " ${all_rows[*]} " == *" $r "* ]] || { echo "scale_bench: unknown row $r" >&2; exit 2; }
done

command -v zip >/dev/null && command -v unzip >/dev/null ||
    { echo "scale_bench: Info-ZIP zip and unzip are needed" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "scale_bench: GNU time (/usr/bin/time) is needed" >&2; exit 1; }
mkdir -p "$work"
if [ -n "${BENCH_CLI:-}" ]; then
    cli=$(realpath "$BENCH_CLI")
else
    [ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WIZARD=OFF -DVANTREL_TESTS=OFF >/dev/null
    cmake --build "$build" --target vantrel-cli vantrel-sample-installation -j 2 \
        >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
    cli="$build/vantrel-cli"
fi
installation="$(dirname "$cli")/share/vantrel/installation"

# The offscreen files page benchmark, built when a wizard row is asked for.
page_bench() {
    if [ -n "${BENCH_PAGE:-}" ]; then
        realpath "$BENCH_PAGE"
        return
    fi
    local wbuild="${BENCH_WIZARD_BUILD:-$root/build-bench-wizard}"
    [ -f "$wbuild/build.ninja" ] || cmake -S "$root" -B "$wbuild" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WIZARD=ON -DVANTREL_TESTS=OFF >/dev/null
    cmake --build "$wbuild" --target files_page_bench -j 2 >"$work/build-wizard.log" 2>&1 ||
        { cat "$work/build-wizard.log" >&2; exit 1; }
    echo "$wbuild/bench/files_page_bench"
}
export VANTREL_USER_REG="$work/user.reg" VANTREL_MACHINE_REG="$work/machine.reg"
run_cli() { "$cli" --install-location "$installation" "$@"; }

# The file set NAME, made once.
fileset() {
    local dir="$work/set-$1"
    if [ ! -d "$dir" ]; then
        case "$1" in
            tiny-*) python3 "$here/make_fileset.py" "$dir.tmp" --tiny "${1#tiny-}" ;;
            flat-*) python3 "$here/make_fileset.py" "$dir.tmp" --tiny "${1#flat-}" --flat ;;
            mix) python3 "$here/make_fileset.py" "$dir.tmp" --files 2000 --size-mb 200 ;;
            one-1g) python3 "$here/make_fileset.py" "$dir.tmp" --single-file-mb 1024 --random-then-text ;;
        esac >/dev/null
        mv "$dir.tmp" "$dir"
    fi
    echo "$dir"
}

# The project of the file set NAME (made once: new + add-files).
project() {
    local set project="$work/project-$1.zlt"
    set=$(fileset "$1")
    if [ ! -f "$project" ]; then
        run_cli new "$project.tmp.zlt" --name Bench --company Bench --force >/dev/null
        run_cli add-files "$project.tmp.zlt" "$set" >/dev/null
        mv "$project.tmp.zlt" "$project"
    fi
    echo "$project"
}

# Runs "$@" once and appends "wall-seconds peak-KB" to the file $1.
timed() {
    local out=$1
    shift
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$work/peak.txt" "$@" >"$work/out.txt" 2>&1 || {
        echo "scale_bench: failed: $*" >&2
        tail -5 "$work/out.txt" >&2
        exit 1
    }
    end=$(date +%s%N)
    echo "$(((end - start) / 1000)) $(tail -1 "$work/peak.txt")" >>"$out"
}

# pair LABEL PREPARE OURS... -- REFERENCE...: PREPARE (a shell snippet, not
# timed) runs before every run of either command.
pair() {
    local label=$1 prepare=$2
    shift 2
    local ours=() ref=()
    while [ "$1" != -- ]; do
        ours+=("$1")
        shift
    done
    shift
    ref=("$@")
    rm -f "$work/a.txt" "$work/b.txt"
    local i
    for ((i = 0; i <= runs; i++)); do
        eval "$prepare"
        sync
        timed "$work/a.txt" "${ours[@]}"
        eval "$prepare"
        sync
        timed "$work/b.txt" "${ref[@]}"
        if [ "$i" -eq 0 ]; then # the warm-up pair
            rm -f "$work/a.txt" "$work/b.txt"
        fi
    done
    eval "$prepare"
    paste -d' ' "$work/a.txt" "$work/b.txt" | awk -v label="$label" -v before="${before[$row]:-}" '
        function median(v, n,   i, j, t) {
            for (i = 2; i <= n; i++)
                for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
            return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        }
        { a[NR] = $1 / 1e6; b[NR] = $3 / 1e6; r[NR] = $1 / $3; if ($2 > peak) peak = $2 }
        END {
            printf "| %-52s | %9.3f s | %9.3f s | %6.2f | %7.1f | %-22s |\n",
                label, median(a, NR), median(b, NR), median(r, NR), peak / 1024, before
        }'
}

out="$work/out"
# A floppy set of NAME's project at 1.44 MB, built once (for verify).
floppy_set() {
    local media="$work/floppy-$1"
    if [ ! -d "$media" ]; then
        run_cli build "$(project "$1")" --media "$media.tmp" --size 1.44MB >/dev/null
        mv "$media.tmp" "$media"
    fi
    echo "$media"
}

# Bytes of the files below $1.
bytes_below() { find "$1" -type f -name '*.cfi' -printf '%s\n' | awk '{ t += $1 } END { print t + 0 }'; }

run_row() {
    row=$1
    case "$1" in
        floppy-1k | floppy-10k | floppy-50k | flat-1k | flat-3k | flat-5k)
            local n=${1#*-} kind=tiny what="tiny files"
            n=${n%k}000
            if [[ $1 == flat-* ]]; then
                kind=flat
                what="files in one folder"
            fi
            local p set
            p=$(project "$kind-$n")
            set=$(fileset "$kind-$n")
            pair "floppy 720 KB, $n $what vs zip -6 -r" "rm -rf '$out' '$work/ref.zip'" \
                "$cli" --install-location "$installation" build "$p" --media "$out" --size 720KB -- \
                sh -c "cd '$set' && exec zip -6 -r -q '$work/ref.zip' ."
            ;;
        floppy-mix)
            local p set
            p=$(project mix)
            set=$(fileset mix)
            pair "floppy 1.44 MB, 200 MB mix vs zip -6 -r" "rm -rf '$out' '$work/ref.zip'" \
                "$cli" --install-location "$installation" build "$p" --media "$out" --size 1.44MB -- \
                sh -c "cd '$set' && exec zip -6 -r -q '$work/ref.zip' ."
            ;;
        floppy-mix-pigz)
            if ! command -v pigz >/dev/null; then
                echo "| floppy 1.44 MB, 200 MB mix vs tar | pigz: left out, pigz is not installed |"
                return
            fi
            local p set
            p=$(project mix)
            set=$(fileset mix)
            pair "floppy 1.44 MB, 200 MB mix vs tar | pigz -6 -p2" "rm -rf '$out' '$work/ref.tgz'" \
                "$cli" --install-location "$installation" build "$p" --media "$out" --size 1.44MB -- \
                sh -c "cd '$set' && tar c . | pigz -6 -p2 >'$work/ref.tgz'"
            ;;
        cd-mix | cd-10k | cd-50k)
            local name=mix what="200 MB mix"
            if [ "$1" != cd-mix ]; then
                name=${1#cd-}
                name=tiny-${name%k}000
                what="${name#tiny-} tiny files"
            fi
            local p set
            p=$(project "$name")
            set=$(fileset "$name")
            pair "CD, $what vs cp -r" "rm -rf '$out' '$work/ref'" \
                "$cli" --install-location "$installation" build "$p" --media "$out" --size 640MB -- \
                cp -r "$set" "$work/ref"
            ;;
        cd-one)
            local p
            p=$(project flat-1)
            rm -rf "$work/one-set"
            run_cli build "$p" --media "$work/one-set" --size 640MB >/dev/null
            pair "CD, one-file project vs cp -r of its set" "rm -rf '$out' '$work/ref'" \
                "$cli" --install-location "$installation" build "$p" --media "$out" --size 640MB -- \
                cp -r "$work/one-set" "$work/ref"
            ;;
        show-10k)
            local p
            p=$(project tiny-10000)
            pair "show, 10000-file project vs unzip -o -q" "rm -rf '$work/ref'" \
                "$cli" --install-location "$installation" show "$p" -- \
                unzip -o -q "$p" -d "$work/ref"
            ;;
        verify-50k)
            local media set
            media=$(floppy_set tiny-50000)
            set=$(fileset tiny-50000)
            [ -f "$work/tiny-50000.zip" ] || (cd "$set" && zip -6 -r -q "$work/tiny-50000.zip" .)
            pair "verify floppy set, 50000 tiny files vs unzip -t" ":" \
                "$cli" --install-location "$installation" verify "$media" -- \
                unzip -t -q "$work/tiny-50000.zip"
            ;;
        cd-100k)
            local p set
            p=$(project tiny-100000)
            set=$(fileset tiny-100000)
            pair "CD, 100000 tiny files vs cp -r" "rm -rf '$out' '$work/ref'" \
                "$cli" --install-location "$installation" build "$p" --media "$out" --size 640MB -- \
                cp -r "$set" "$work/ref"
            ;;
        floppy-100k)
            local p set
            p=$(project tiny-100000)
            set=$(fileset tiny-100000)
            rm -rf "$out"
            if run_cli build "$p" --media "$out" --size 1.44MB >"$work/out.txt" 2>&1; then
                echo "| floppy 1.44 MB, 100000 tiny files: built (not refused) |"
                return
            fi
            [ -z "$(ls -A "$out" 2>/dev/null)" ] || echo "scale_bench: the refused build wrote into $out" >&2
            echo "|   refused: $(grep -o 'component [^ ]* would go into one archive' "$work/out.txt" | head -1) |"
            pair "floppy 1.44 MB, 100000 tiny files (refused) vs zip -6" \
                "rm -rf '$out' '$work/ref.zip'" \
                sh -c "'$cli' --install-location '$installation' build '$p' --media '$out' --size 1.44MB || true" -- \
                sh -c "cd '$set' && exec zip -6 -r -q '$work/ref.zip' ."
            ;;
        size-1g)
            local p set ours ref
            p=$(project one-1g)
            set=$(fileset one-1g)
            rm -rf "$out" "$work/ref.zip"
            run_cli build "$p" --media "$out" --size 1.44MB >/dev/null
            (cd "$set" && zip -6 -q "$work/ref.zip" one.bin)
            ours=$(bytes_below "$out")
            ref=$(stat -c %s "$work/ref.zip")
            printf "| %-52s | %9.1f MB | %9.1f MB | %6.4f | %7s | %-22s |\n" \
                "floppy 1.44 MB of a 1 GB file: archives vs zip -6" \
                "$(echo "$ours / 1048576" | bc -l)" "$(echo "$ref / 1048576" | bc -l)" \
                "$(echo "$ours / $ref" | bc -l)" "" "${before[size-1g]}"
            ;;
        wizard-files-50k | wizard-files-100k)
            local n=${1#wizard-files-} p bench
            n=${n%k}000
            p=$(project "tiny-$n")
            bench=$(page_bench)
            pair "wizard files page ready, $n files vs show" ":" \
                "$bench" --install-location "$installation" "$p" -- \
                "$cli" --install-location "$installation" show "$p"
            "$bench" --install-location "$installation" "$p" 2>/dev/null |
                sed -n 's/^files page ready: \(.*\)$/|   last run: \1 |/p'
            ;;
        model-100k)
            local small large
            timed "$work/small.txt" "$cli" --install-location "$installation" show "$(project tiny-10000)"
            timed "$work/large.txt" "$cli" --install-location "$installation" show "$(project tiny-100000)"
            small=$(cut -d' ' -f2 "$work/small.txt")
            large=$(cut -d' ' -f2 "$work/large.txt")
            rm -f "$work/small.txt" "$work/large.txt"
            printf "| %-52s | %8.1f MB | %8.1f MB | %6.0f | %7.1f | %-22s |\n" \
                "show: peak RSS at 10000 / 100000 files, B per file" \
                "$(echo "$small / 1024" | bc -l)" "$(echo "$large / 1024" | bc -l)" \
                "$(echo "($large - $small) * 1024 / 90000" | bc -l)" "$(echo "$large / 1024" | bc -l)" \
                "${before[model-100k]}"
            ;;
        open-save-50k)
            local p
            p=$(project tiny-50000)
            cp "$p" "$work/edit.zlt"
            pair "open+save, 50000-file project vs unzip+zip" \
                "rm -rf '$work/ref' '$work/ref.zlt'" \
                "$cli" --install-location "$installation" set "$work/edit.zlt" CompanyName=Other -- \
                sh -c "unzip -o -q '$p' -d '$work/ref' && cd '$work/ref' && exec zip -6 -q -r '$work/ref.zlt' ."
            ;;
    esac
}

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $runs pairs a row"
# The sets and projects are made before any row is timed.
for r in "${rows[@]}"; do
    case "$r" in
        *-mix*) project mix ;;
        size-1g) project one-1g ;;
        flat-*) n=${r#flat-} && project "flat-${n%k}000" ;;
        cd-one) project flat-1 ;;
        *) n=${r##*-} && project "tiny-${n%k}000" ;;
    esac >/dev/null
done
printf '| %-52s | %11s | %11s | %6s | %7s | %-22s |\n' work ours reference ratio "peak MB" before
printf '|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..54})" "$(printf -- '-%.0s' {1..13})" \
    "$(printf -- '-%.0s' {1..13})" "--------" "---------" "$(printf -- '-%.0s' {1..24})"
for r in "${rows[@]}"; do
    run_row "$r"
done
rm -rf "$out" "$work/ref" "$work/ref.zip" "$work/ref.tgz" "$work/ref.zlt"
