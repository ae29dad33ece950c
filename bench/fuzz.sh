#!/usr/bin/env bash
# Runs the fuzz harnesses of fuzz/ and prints each one's executions and
# findings. The libFuzzer options given decide how long:
#
#   bench/fuzz.sh                              each for 60 s
#   bench/fuzz.sh -max_total_time=600          each for 10 min
#   bench/fuzz.sh -runs=2000 fuzz_zip_reader   one harness, 2000 inputs
#
# Options: --build DIR (default build-fuzz, configured and built when it
# lacks the harnesses), --keep (grow the corpus in DIR/fuzz-work/<harness>
# between runs instead of starting from the seeds each time). New corpus
# entries never go into the checked-in seeds (fuzz/corpus/<harness>/).
# A finding's input is saved as DIR/fuzz-findings/<harness>/crash-*; the
# exit status is 1 when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
keep=0
options=()
harnesses=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        -*) options+=("$1"); shift ;;
        *) harnesses+=("$1"); shift ;;
    esac
done
[ ${#options[@]} -eq 0 ] && options=(-max_total_time=60)
if [ ${#harnesses[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do
        f=$(basename "$f" .cpp)
        [ "$f" = fuzz_support ] || harnesses+=("$f")
    done
fi

if [ ! -x "$build/fuzz/${harnesses[0]}" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON \
        -DVANTREL_WIZARD=OFF -DVANTREL_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target vantrel-fuzzers >/dev/null

# The harnesses write and read small files for every input; on a memory
# file system that costs no disk syncs.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=0
printf '%-22s %12s %8s %8s\n' harness executions seconds findings
for h in "${harnesses[@]}"; do
    work="$build/fuzz-work/$h"
    findings="$build/fuzz-findings/$h"
    [ "$keep" -eq 1 ] || rm -rf "$work"
    mkdir -p "$work" "$findings"
    log="$build/fuzz-work/$h.log"
    start=$(date +%s)
    status=0
    "$build/fuzz/$h" "${options[@]}" -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "fuzz/corpus/$h" >"$log" 2>&1 || status=$?
    seconds=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    count=0
    if [ "$status" -ne 0 ]; then
        count=1
        failed=1
    fi
    printf '%-22s %12s %8s %8s\n' "$h" "${runs:-?}" "$seconds" "$count"
    if [ "$status" -ne 0 ]; then
        grep -E 'ERROR|check failed|SUMMARY|Test unit written' "$log" | head -20 | sed 's/^/    /' || true
        echo "    (whole output: $log)"
    fi
done
exit "$failed"
