#!/usr/bin/env bash
# Start-up to the first painted frame (offscreen) of Corvanet and of two
# yardsticks, a bare Qt window and the window's captions as plain labels, run
# interleaved run by run so that a change of the machine's load falls on all
# three alike; then the engine beside the same engine on unchecked arithmetic
# and beside the floor of its libm calls, and the batch throughput of
# corvanet-cli on one core. The engine's goal of 1.3 times the floor and the
# batch's of 1 000 000 figures a second are withdrawn (bench/engine_bench.cpp
# says why): these lines measure, they claim no goal.
# Usage: bench/speed_side_by_side.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-21}
export QT_QPA_PLATFORM=offscreen
names=(bare captions corvanet)
progs=("$build/bench/minimal_window" "$build/bench/caption_window" "$build/bench/corvanet_first_frame")

# "median min q1 q3 max" of the numbers on standard input
stats() {
  sort -g | awk '{a[NR] = $1}
    function at(p,  i) { i = 1 + p * (NR - 1); return a[int(i)] + (i - int(i)) * (a[int(i) + 1] - a[int(i)]) }
    END {print at(0.5), a[1], at(0.25), at(0.75), a[NR]}'
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for p in "${progs[@]}"; do "$p" >/dev/null 2>&1; done  # warm the file cache
for run in $(seq "$runs"); do
  for k in 0 1 2; do
    i=$(( (k + run) % 3 ))  # each program takes each place in the order in turn
    t0=$(date +%s%N)
    out=$(taskset -c 0 "${progs[$i]}" 2>/dev/null)
    t1=$(sed -n 's/^first-frame-ns=//p' <<<"$out")
    echo $(( (t1 - t0) / 1000 )) >>"$tmp/${names[$i]}.wall"
    sed -n 's/^cpu-ns=//p' <<<"$out" | awk '{print $1 / 1000}' >>"$tmp/${names[$i]}.cpu"
    sed -n 's/^peak-kb=//p' <<<"$out" >>"$tmp/${names[$i]}.kb"
  done
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

for clock in wall cpu; do
  echo "start-up to first frame, $runs interleaved runs each (offscreen), $clock time in ms:"
  printf '  %-9s %7s %7s %7s %7s %7s %9s\n' "" median min q1 q3 max "peak kB"
  declare -A med
  for n in "${names[@]}"; do
    read -r m lo q1 q3 hi < <(stats <"$tmp/$n.$clock")
    med[$n]=$m
    peak=$(sort -n "$tmp/$n.kb" | tail -1)
    awk -v n="$n" -v m="$m" -v lo="$lo" -v q1="$q1" -v q3="$q3" -v hi="$hi" -v kb="$peak" \
      'BEGIN {printf "  %-9s %7.1f %7.1f %7.1f %7.1f %7.1f %9d\n", n, m/1000, lo/1000, q1/1000, q3/1000, hi/1000, kb}'
  done
  # The ratio within each run too: the two programs of a run share its load.
  pair_ratio() { paste "$tmp/corvanet.$clock" "$tmp/$1.$clock" | awk '{print $1 / $2}' | stats; }
  read -r cm _ cq1 cq3 _ < <(pair_ratio captions)
  read -r bm _ bq1 bq3 _ < <(pair_ratio bare)
  awk -v c="${med[corvanet]}" -v y="${med[captions]}" -v b="${med[bare]}" \
    -v cm="$cm" -v cq1="$cq1" -v cq3="$cq3" -v bm="$bm" -v bq1="$bq1" -v bq3="$bq3" 'BEGIN {
    printf "  Corvanet / captions  %.3f of medians; run by run median %.3f (q1 %.3f, q3 %.3f)  goal <= 1.03\n", c / y, cm, cq1, cq3
    printf "  Corvanet / bare      %.3f of medians; run by run median %.3f (q1 %.3f, q3 %.3f)  goal <= 1.6\n", c / b, bm, bq1, bq3
  }'
done

# Pinned to each core in turn: the floor (independent calls, bound by the
# core's throughput) slows down on a core whose sibling is busy, while the
# calculation (one chain of dependent operations, bound by latency) hardly
# does, so the ratio to the floor is only comparable core by core. The
# checked and unchecked engines run in turn, five times each.
echo "engine, the worked figure: checked, unchecked (the yardstick of the checks), the libm calls alone; CPU time, median of 5:"
engine_runs() {  # engine_runs PROGRAM CORE: one median line per benchmark
  taskset -c "$2" "$1" --benchmark_filter='BM_WorkedFigure|BM_LibmFloor' --benchmark_min_time=0.5 \
    --benchmark_repetitions=1 2>/dev/null | awk '$1 ~ /^BM_/ {print $1, $4}'
}
for core in $(seq 0 $(($(nproc) - 1))); do
  : >"$tmp/engine.$core"
  for _ in 1 2 3 4 5; do
    engine_runs "$build/bench/engine_bench" "$core" | sed 's/^/checked /' >>"$tmp/engine.$core"
    engine_runs "$build/bench/engine_bench_unchecked" "$core" | sed 's/^/unchecked /' >>"$tmp/engine.$core"
  done
  c=$(awk '$1 == "checked" && $2 == "BM_WorkedFigure" {print $3}' "$tmp/engine.$core" | stats | cut -d' ' -f1)
  u=$(awk '$1 == "unchecked" && $2 == "BM_WorkedFigure" {print $3}' "$tmp/engine.$core" | stats | cut -d' ' -f1)
  f=$(awk '$2 == "BM_LibmFloor" {print $3}' "$tmp/engine.$core" | stats | cut -d' ' -f1)
  awk -v core="$core" -v c="$c" -v u="$u" -v f="$f" 'BEGIN {
    printf "  core %d: checked %.1f ns, unchecked %.1f ns, floor %.1f ns; checked / unchecked %.2f, unchecked / floor %.2f\n",
           core, c, u, f, c / u, u / f}'
done

csv="$tmp/batch.csv"
awk 'BEGIN {
  print "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3"
  for (i = 0; i < 100000; i++)
    printf "P%d,2500,2600,3000,3000,2450,3550,%.3f,%.3f,%.3f\n", i, 509.905 + (i*7%11-5)/1000, 412.308 + (i*3%11-5)/1000, 474.345 + (i*5%11-5)/1000
}' >"$csv"
t0=$(date +%s%N)
taskset -c 0 "$build/cli/corvanet-cli" --batch "$csv" >/dev/null 2>&1
t1=$(date +%s%N)
awk -v ns=$((t1 - t0)) 'BEGIN {printf "batch, corvanet-cli --batch on 100 000 figures, one core:\n  %.0f ms, %.0f figures/s (bench/batch_throughput.sh for larger files)\n", ns / 1e6, 100000 / (ns / 1e9)}'
