#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, address and
# undefined-behaviour sanitizers) and runs each on its seed corpus for SECONDS
# seconds, as many at once as there are cores. New inputs are kept in
# build-fuzz/corpus/<target>/ for the next run, crash inputs go to
# build-fuzz/crashes/<target>/, full logs to build-fuzz/logs/.
#
#   scripts/fuzz.sh                        # 20 s per target (the test command runs this)
#   scripts/fuzz.sh 600                    # ten minutes per target
#   scripts/fuzz.sh 600 notes conversion   # only these targets
#
# A crash input replays without the fuzzer: build/bin/zendro-fuzz-replay-<target> FILE
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
[ "$#" -gt 0 ] && shift
if [ "$#" -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for folder in fuzz/corpus/*/; do targets+=("$(basename "$folder")"); done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build-fuzz
mkdir -p "$out/logs"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# Conversion runs write and sync real files: keep their scratch folders in memory.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR="${TMPDIR:-/dev/shm}"

run_target() {
    local target="$1" seconds="$2" out="$3"
    mkdir -p "$out/corpus/$target" "$out/crashes/$target"
    "$out/bin/zendro-fuzz-$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/crashes/$target/" \
        "$out/corpus/$target" "fuzz/corpus/$target" >"$out/logs/$target.log" 2>&1
}
export -f run_target

echo "Fuzzing ${#targets[@]} targets for $seconds s each, $(nproc) at a time"
failed=0
printf '%s\n' "${targets[@]}" |
    xargs -P "$(nproc)" -I{} bash -c 'run_target "$1" "$2" "$3"' _ {} "$seconds" "$out" || failed=1

# One line per target: executions, and the edges covered of those instrumented.
for target in "${targets[@]}"; do
    log="$out/logs/$target.log"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    total=$(sed -n 's/.*(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n 1)
    if [ -z "$runs" ] || grep -q -E '^==[0-9]+==ERROR|^SUMMARY: |fuzz property broken|deadly signal' "$log"; then
        echo "FAILED  $target (see $log; input in $out/crashes/$target/)"
        tail -n 40 "$log"
        failed=1
    else
        printf 'ok      %-14s %10s runs  %5s of %s edges covered\n' "$target" "$runs" \
            "${edges:-?}" "${total:-?}"
    fi
done
exit "$failed"
