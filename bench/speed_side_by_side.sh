#!/usr/bin/env bash
# Start-up to the first shown frame (offscreen) of a minimal Qt window and of
# Corvanet, over RUNS runs each, with peak memory; then the engine's time per
# calculation and the batch throughput of corvanet-cli on one core.
# Usage: bench/speed_side_by_side.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-21}
export QT_QPA_PLATFORM=offscreen CORVANET_EXIT_AFTER_FIRST_FRAME=1

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

time_program() {  # prints "median_ms peak_kb"
  local prog=$1 times=() peak=0
  "$prog" >/dev/null  # warm the file cache
  for _ in $(seq "$runs"); do
    local t0 t1 out kb
    t0=$(date +%s%N)
    out=$(taskset -c 0 "$prog")
    t1=$(sed -n 's/^first-frame-ns=//p' <<<"$out")
    times+=($(( (t1 - t0) / 1000 )))
    kb=$(sed -n 's/^peak-kb=//p' <<<"$out")
    [ "${kb:-0}" -gt "$peak" ] && peak=$kb
  done
  printf '%s\n' "${times[@]}" | median | awk -v p="$peak" '{printf "%.1f %d\n", $1 / 1000, p}'
}

read -r min_ms min_kb < <(time_program "$build/bench/minimal_window")
read -r cor_ms cor_kb < <(time_program "$build/app/corvanet")
echo "start-up to first frame, median of $runs runs (offscreen):"
echo "  minimal Qt window  ${min_ms} ms   peak ${min_kb} kB"
echo "  Corvanet           ${cor_ms} ms   peak ${cor_kb} kB"
awk -v a="$cor_ms" -v b="$min_ms" 'BEGIN {printf "  ratio of medians   %.2f (goal <= 1.2)\n", a / b}'

echo "engine, one calculation of the worked figure:"
"$build/bench/engine_bench" --benchmark_filter=BM_WorkedFigure --benchmark_min_time=1 2>/dev/null |
  awk '/BM_WorkedFigure/ {printf "  %s %s (goal < 1 us)\n", $2, $3}'

csv=$(mktemp --suffix=.csv)
trap 'rm -f "$csv"' EXIT
awk 'BEGIN {
  print "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3"
  for (i = 0; i < 100000; i++)
    printf "P%d,2500,2600,3000,3000,2450,3550,%.3f,%.3f,%.3f\n", i, 509.905 + (i*7%11-5)/1000, 412.308 + (i*3%11-5)/1000, 474.345 + (i*5%11-5)/1000
}' >"$csv"
t0=$(date +%s%N)
taskset -c 0 "$build/cli/corvanet-cli" --batch "$csv" >/dev/null 2>&1
t1=$(date +%s%N)
awk -v ns=$((t1 - t0)) 'BEGIN {printf "batch, corvanet-cli --batch on 100 000 figures, one core:\n  %.0f ms, %.0f figures/s (goal >= 200 000)\n", ns / 1e6, 100000 / (ns / 1e9)}'
