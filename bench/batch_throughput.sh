#!/usr/bin/env bash
# Throughput and peak memory of corvanet-cli --batch on one core, on files of
# growing size and on a stream from a pipe. Goal: peak memory < 30 MB whatever
# the input's size. The goal of 1 000 000 figures a second is withdrawn, not
# met: each ok row writes 25 numbers in their shortest round-trip text, and
# the batch stands near the floor those set.
# JOB=1 also measures the batch kept in a new job (--job), and the export of
# that job's points to CSV and DAT (--export-points), whose peak memory stays
# the same whatever the job's size (goal: < 50 MB for 1 000 000 points).
# Usage: bench/batch_throughput.sh [BUILD_DIR] [FIGURES...]   (default 100000 1000000)
# REPEAT=N runs each measurement N times (default 1), to show the spread on a
# machine shared with other work.
set -euo pipefail
build=${1:-build}
shift || true
sizes=("${@:-100000}")
[ $# -eq 0 ] && sizes=(100000 1000000)
cli="$build/cli/corvanet-cli"
repeat=${REPEAT:-1}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# The worked figure with the measured distances varied by up to ±5 mm.
figures() {
  awk -v n="$1" 'BEGIN {
    print "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3"
    for (i = 0; i < n; i++)
      printf "P%d,2500,2600,3000,3000,2450,3550,%.3f,%.3f,%.3f\n", i, 509.905 + (i*7%11-5)/1000, 412.308 + (i*3%11-5)/1000, 474.345 + (i*5%11-5)/1000
  }'
}

# Prints: figures, CPU seconds (user + system), wall seconds, peak kB.
measure() {  # measure N COMMAND...
  local n=$1 log="$dir/time.log"
  shift
  /usr/bin/time -v -o "$log" "$@" >/dev/null 2>"$dir/stderr.log" || true
  awk -v n="$n" -F': ' '
    /User time/ {u = $2} /System time/ {s = $2} /Maximum resident/ {kb = $2}
    /Elapsed \(wall clock\)/ {k = split($2, t, ":"); w = 0; for (i = 1; i <= k; i++) w = w * 60 + t[i]}
    END {printf "  %9d figures  cpu %6.2f s (%8.0f figures/s)  wall %6.2f s (%8.0f figures/s)  peak %6d kB\n",
                n, u + s, n / (u + s), w, n / w, kb}' "$log"
}

echo "corvanet-cli --batch FILE > /dev/null, pinned to one core (taskset -c 0):"
for n in "${sizes[@]}"; do
  figures "$n" >"$dir/figures.csv"
  cat "$dir/figures.csv" >/dev/null  # into the file cache
  for ((r = 0; r < repeat; r++)); do measure "$n" taskset -c 0 "$cli" --batch "$dir/figures.csv"; done
  rm -f "$dir/figures.csv"
done

n=${sizes[-1]}
echo "generator | corvanet-cli --batch - > /dev/null (a stream: nothing on disk):"
mkfifo "$dir/fifo"
for ((r = 0; r < repeat; r++)); do
  figures $((n * 4)) >"$dir/fifo" &
  measure $((n * 4)) taskset -c 0 "$cli" --batch - <"$dir/fifo"
  wait
done

[ "${JOB:-0}" = 1 ] || exit 0
echo "corvanet-cli --batch FILE --job JOB > /dev/null (a new job each time), then --export-points from it:"
for n in "${sizes[@]}"; do
  figures "$n" >"$dir/figures.csv"
  for ((r = 0; r < repeat; r++)); do
    rm -f "$dir"/job.cvjob*
    measure "$n" taskset -c 0 "$cli" --batch "$dir/figures.csv" --job "$dir/job.cvjob"
  done
  rm -f "$dir/figures.csv"
  echo "  job: $(du -h "$dir/job.cvjob" | cut -f1)"
  for format in csv dat; do
    for ((r = 0; r < repeat; r++)); do
      measure "$n" taskset -c 0 "$cli" --export-points "$dir/points.$format" --job "$dir/job.cvjob"
    done
    rm -f "$dir/points.$format"
  done
  rm -f "$dir"/job.cvjob*
done
