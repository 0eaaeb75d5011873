#!/usr/bin/env bash
# Compares the outputs of two builds of corvanet-cli byte for byte, to show
# that a change which should alter no output alters none.
# Usage: bench/compare_outputs.sh OLD_CLI NEW_CLI [N]   (default N = 5000)
#
# N figures are generated, the same every time: varied solvable figures,
# figures that fail at the entry, in the adjustment, the coordinates and the
# precision, figures scaled from 1e-45 to 1e300, and rows that cannot be read.
# All go through --batch; every STEP-th figure (SAMPLE=K sets about K of
# them, default 400) and every seed of tests/fuzz/corpus also go through the
# plain summary, --json and --report one by one. Standard output, standard
# error and the exit status are compared. Exit status 0 when everything is
# the same, 1 when something differs (the first differences are shown).
# KEEP=DIR keeps the figures and the last outputs in DIR.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_CLI NEW_CLI [N]" >&2; exit 2; }
old=$1 new=$2 n=${3:-5000}
sample=${SAMPLE:-400}
here=$(cd "$(dirname "$0")" && pwd)
corpus="$here/../tests/fuzz/corpus"
dir=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] && mkdir -p "$KEEP" && cp "$dir"/* "$KEEP"/; rm -rf "$dir"' EXIT

# One figure a line, tab-separated in the order of the prompts: Xa Ya Xb Yb
# Xc Yc name S1 S2 S3. A fixed linear congruential generator, so that every
# awk gives the same figures.
awk -v n="$n" '
function rnd() { seed = (seed * 1103515245 + 12345) % 2147483648; return seed / 2147483648 }
function pick(a, b) { return a + (b - a) * rnd() }
function name(i,   k) {
  k = i % 13
  if (k == 0) return "P" i ",east"
  if (k == 1) return "=P" i
  if (k == 2) return "点" i
  if (k == 3) return " P" i " "
  if (k == 4) return "say \"P" i "\""
  if (k == 5) return "-" i
  return "P" i
}
function emit(xa, ya, xb, yb, xc, yc, s1, s2, s3, fmt) {
  printf fmt "\t" fmt "\t" fmt "\t" fmt "\t" fmt "\t" fmt "\t%s\t" fmt "\t" fmt "\t" fmt "\n",
    xa, ya, xb, yb, xc, yc, name(i), s1, s2, s3
}
# A figure around B with P at distance d and A, C at angles either side of
# BP, the distances measured with an error of up to e metres.
function around(scale, e, swap,   bx, by, az, d, da, dc, aa, ac, px, py, ax, ay, cx, cy, t, fmt) {
  bx = pick(-1, 1) * scale * 10; by = pick(-1, 1) * scale * 10
  az = pick(0, 6.283185307179586); d = pick(0.05, 1) * scale
  aa = az - pick(0.2, 2.6); ac = az + pick(0.2, 2.6)
  da = pick(0.05, 1.5) * scale; dc = pick(0.05, 1.5) * scale
  px = bx + d * cos(az); py = by + d * sin(az)
  ax = bx + da * cos(aa); ay = by + da * sin(aa)
  cx = bx + dc * cos(ac); cy = by + dc * sin(ac)
  if (swap) { t = ax; ax = cx; cx = t; t = ay; ay = cy; cy = t }
  fmt = rnd() < 0.5 ? "%.3f" : "%.17g"
  emit(ax, ay, bx, by, cx, cy,
       sqrt((px - ax)^2 + (py - ay)^2) + pick(-e, e), d + pick(-e, e), sqrt((px - cx)^2 + (py - cy)^2) + pick(-e, e), fmt)
}
BEGIN {
  seed = 20240521
  for (i = 0; i < n; i++) {
    k = i % 20
    if (k < 8) around(1000, 0.01, 0)
    else if (k == 8) around(pick(1, 100000), pick(0, 5), 0)
    else if (k == 9) around(1000, 0.01, 1)
    else if (k == 10) {  # the worked figure, distances varied by up to 5 mm
      emit(2500, 2600, 3000, 3000, 2450, 3550, 509.905 + pick(-0.005, 0.005), 412.308 + pick(-0.005, 0.005),
           474.345 + pick(-0.005, 0.005), "%.4f")
    } else if (k == 11) {  # the worked figure scaled from 1e-46 to 1e300, mostly where single precision ends
      t = rnd()
      s = t < 0.2 ? 10 ^ int(pick(-46, 301)) : t < 0.6 ? 10 ^ pick(-46, -37) : 10 ^ pick(-37, 40)
      emit(2500 * s, 2600 * s, 3000 * s, 3000 * s, 2450 * s, 3550 * s, 509.905 * s, 412.308 * s, 474.345 * s, "%.17g")
    } else if (k == 12) {  # one value of the worked figure replaced by something odd
      split("2500 2600 3000 3000 2450 3550 509.905 412.308 474.345", v, " ")
      split("0 -1 1e-310 1e-300 1e39 1e300 -474.345 3000 2600 0.001 1e6 2450", odd, " ")
      v[1 + int(pick(0, 9))] = odd[1 + int(pick(0, 12))]
      emit(v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], "%s")
    } else if (k == 13) {  # a distance far too short or long for a triangle
      emit(2500, 2600, 3000, 3000, 2450, 3550, pick(0, 2000), pick(0, 2000), pick(0, 2000), "%.3f")
    } else if (k == 14) {  # the exact distances: a misclosure of (nearly) zero
      emit(2500, 2600, 3000, 3000, 2450, 3550, sqrt(100^2 + 500^2), sqrt(400^2 + 100^2), sqrt(150^2 + 450^2), "%.17g")
    } else if (k == 15) {  # a right angle at B, coincident points, points on one line
      m = int(pick(0, 4))
      if (m == 0) emit(2500, 3000, 3000, 3000, 3000, 3500, 500, 400, 450, "%g")
      else if (m == 1) emit(3000, 3000, 3000, 3000, 2450, 3550, 509.905, 412.308, 474.345, "%g")
      else if (m == 2) emit(2000, 3000, 3000, 3000, 4000, 3000, 1000, 300, 1000, "%g")
      else emit(2500, 2600, 2450, 3550, 2450, 3550, 509.905, 474.345, 474.345, "%g")
    } else {  # any numbers, of any size and sign
      e = rnd() < 0.1 ? int(pick(-320, 309)) : int(pick(-3, 5))
      for (j = 1; j <= 9; j++) r[j] = (rnd() < 0.3 ? -1 : 1) * pick(1, 10) * 10 ^ (e + int(pick(-2, 3)))
      emit(r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9], "%.17g")
    }
  }
}' >"$dir/figures.tsv"

# The batch file: name first, quoted where it must be, then rows that
# cannot be read.
awk -F'\t' 'BEGIN { OFS = ","; print "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3" }
{
  name = $7
  if (name ~ /[,"]/) { gsub(/"/, "\"\"", name); name = "\"" name "\"" }
  print name, $1, $2, $3, $4, $5, $6, $8, $9, $10
}
END {
  print "bad1,2500,2600,3000,3000,2450,3550,509.905,412.308,abc"
  print "bad2,2500,2600,3000"
  print "bad3,1e400,2600,3000,3000,2450,3550,509.905,412.308,474.345"
  print "\"bad4\nwith a line break\",2500,2600,3000,3000,2450,3550,1e-400,412.308,474.345"
  print ""
  print "last,2500,2600,3000,3000,2450,3550,509.905,412.308,474.345"
  print "\"open,2500"
}' "$dir/figures.tsv" >"$dir/figures.csv"

differ=0
same() {  # same WHAT: compares $dir/old.* with $dir/new.*
  local f
  for f in out err rc; do
    if ! cmp -s "$dir/old.$f" "$dir/new.$f"; then
      differ=$((differ + 1))
      if [ "$differ" -le 5 ]; then
        echo "DIFFERENT ($f): $1" >&2
        diff "$dir/old.$f" "$dir/new.$f" | head -20 >&2 || true
      fi
      return
    fi
  done
}
run() {  # run CLI TAG INPUT ARGS...
  local cli=$1 tag=$2 input=$3
  shift 3
  set +e
  "$cli" "$@" <"$input" >"$dir/$tag.out" 2>"$dir/$tag.err"
  echo $? >"$dir/$tag.rc"
  set -e
}
one_by_one() {  # one_by_one INPUT WHAT
  local mode
  for mode in "" --json --report; do
    run "$old" old "$1" $mode
    run "$new" new "$1" $mode
    same "$2 ${mode:-summary}"
  done
}

run "$old" old "$dir/figures.csv" --batch -
run "$new" new "$dir/figures.csv" --batch -
same "--batch of $n figures"
rows=$(($(wc -l <"$dir/old.out") - 1))
cp "$dir/old.out" "$dir/batch.out"

step=$(((n + sample - 1) / sample))
figures=0
while IFS= read -r line; do
  tr '\t' '\n' <<<"$line" >"$dir/figure.txt"
  one_by_one "$dir/figure.txt" "figure: $line"
  figures=$((figures + 1))
done < <(awk -v s="$step" '(NR - 1) % s == 0' "$dir/figures.tsv")

# The fuzz seeds: ten doubles, then the name's line.
seeds=0
if [ -d "$corpus" ]; then
  for seed in "$corpus"/*; do
    {
      head -c 48 "$seed" | od -An -v -tf8 -w8 | tr -d ' '
      tail -c +81 "$seed" | head -n 1 | tr -d '\n'
      echo
      head -c 72 "$seed" | tail -c 24 | od -An -v -tf8 -w8 | tr -d ' '
    } >"$dir/figure.txt"
    one_by_one "$dir/figure.txt" "seed ${seed##*/}"
    seeds=$((seeds + 1))
  done
fi

echo "compared: --batch of $n figures ($rows result rows), $figures figures and $seeds fuzz seeds one by one" \
     "(summary, --json, --report); differences: $differ"
[ "$differ" -eq 0 ]
