#!/usr/bin/env bash
# Times whole conversions against copying their outputs on the same disk, in
# the same run, and reports medians; also the peak memory of a job of ten times
# the records and a point-feature file of 20,000 single-entry chains.
#
#   scripts/bench.sh [RUNS [OTHER_BIN]]   (default 5 runs each; needs build/ built)
#
# Each run converts the job twice more: once with its previous outputs removed
# beforehand (untimed), and, given OTHER_BIN (the bin/ folder of another build,
# e.g. an older commit's), with that build's zendro-convert on its own copy of
# the job; those are reported as medians of the ratios of each run's pair.
# The jobs are made by zendro-genjob in build/bench-jobs/ (on the repository's disk).
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
other="${2:+$(cd "$2" && pwd)}"
bin="$PWD/build/bin"
work="$PWD/build/bench-jobs"
rm -rf "$work" && mkdir -p "$work" && cd "$work"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# "wall-seconds cpu-seconds" of one command or function, to the millisecond; the
# machine may be shared, so the processor time (user + system, children
# included) is kept beside the wall-clock time.
measure() {
    local TIMEFORMAT='%3R %3U %3S'
    { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1, $2 + $3 }'
}
peak_kb() { /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1; }
copy_outputs() { cp "$1.obs" copy.obs && cp "$1.TRV" copy.TRV; }
copy_and_sync() { copy_outputs "$1" && sync copy.obs copy.TRV; }

"$bin/zendro-genjob" --out JOB --layout classic --points 2000 --records-per-point 100 --seed 1 --quiet
"$bin/zendro-genjob" --out BIG --layout classic --points 2000 --records-per-point 1000 --seed 1 --quiet
"$bin/zendro-convert" --trv JOB.HVD BIG.HVD >/dev/null  # the point-feature files exist from here on
for copy in ABSENT OTHER; do
    for ext in HVD CTX RTX pf; do cp "JOB.$ext" "$copy.$ext"; done
done
[ -z "$other" ] || "$other/zendro-convert" --trv OTHER.HVD >/dev/null

declare -A wall cpu
rss=()
add() { local name=$1; shift; read -r w c < <(measure "$@"); wall[$name]+="$w "; cpu[$name]+="$c "; }
for _ in $(seq "$runs"); do
    add convert "$bin/zendro-convert" --trv JOB.HVD
    add copy copy_outputs JOB
    add copysync copy_and_sync JOB
    rm -f ABSENT.obs ABSENT.TRV ABSENT.zendro-written
    add absent "$bin/zendro-convert" --trv ABSENT.HVD
    [ -z "$other" ] || add other "$other/zendro-convert" --trv OTHER.HVD
    add big "$bin/zendro-convert" --trv BIG.HVD
    rss+=("$(peak_kb "$bin/zendro-convert" --trv BIG.HVD)")
done

# 20,000 entries that each start a chain of their own.
for i in $(seq 20000); do printf ' %d ,+F%d, \r\n' "$i" "$i"; done >CHAINS.pf
: >CHAINS.HVD
: >CHAINS.RTX
for _ in $(seq "$runs"); do add chains "$bin/zendro-convert" CHAINS.HVD; done

medianOf() { tr ' ' '\n' <<<"${!1}" | grep . | median; }
row() {
    local w="wall[$1]" c="cpu[$1]"
    printf '  %-30s %8.3f s wall %8.3f s cpu\n' "$2" "$(medianOf "$w")" "$(medianOf "$c")"
}
ratio() { awk -v a="$(medianOf "wall[$1]")" -v b="$(medianOf "wall[$2]")" 'BEGIN { printf "%.1f", a / b }'; }
# The median of the ratios of the runs' pairs, of wall-clock time.
pairedRatio() {
    local w1="wall[$1]" w2="wall[$2]"
    paste -d' ' <(tr ' ' '\n' <<<"${!w1}" | grep .) <(tr ' ' '\n' <<<"${!w2}" | grep .) |
        awk '{ print $1 / $2 }' | median | awk '{ printf "%.3f", $1 }'
}
records=$(( $(stat -c %s JOB.HVD) / 18 ))
outputs=$(( $(stat -c %s JOB.obs) + $(stat -c %s JOB.TRV) ))
echo "job: $records records, $outputs output bytes (OBS + TRV); ten times: $(( $(stat -c %s BIG.HVD) / 18 )) records"
echo "median of $runs runs ($(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)):"
row convert "zendro-convert --trv JOB"
row copy "cp of its two outputs"
row copysync "cp + sync of those copies"
row big "zendro-convert --trv BIG"
echo "  peak RSS of the BIG run       $(printf '%s\n' "${rss[@]}" | median) KB"
row chains "20,000 single-entry chains"
echo "the run against the copy: $(ratio convert copy) times; against copy and sync: $(ratio convert copysync) times"
echo "  (medians of the pairs: $(pairedRatio convert copy) and $(pairedRatio convert copysync) times)"
row absent "... outputs removed before"
echo "with the previous outputs present against without: $(pairedRatio convert absent) times (median of the pairs)"
if [ -n "$other" ]; then
    row other "$other/zendro-convert --trv"
    echo "this build against that one: $(pairedRatio convert other) times (median of the pairs)"
fi
echo "ten times the records: $(ratio big convert) times the time"
