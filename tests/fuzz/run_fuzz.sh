#!/usr/bin/env bash
# Builds the engine fuzzer with clang and libFuzzer and runs it for a bounded
# time on a scratch copy of the seed corpus.
#
#   run_fuzz.sh BUILD_DIR [SECONDS] [extra libFuzzer options...]
#
# Exits non-zero when the fuzzer finds a crash, a sanitizer report or a
# broken invariant; the input that did it is left in BUILD_DIR/artifacts.
# The main build uses GCC, so this one is separate and invokes clang++ itself.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:?usage: run_fuzz.sh BUILD_DIR [SECONDS] [libFuzzer options...]}"
seconds="${2:-60}"
shift $(( $# >= 2 ? 2 : 1 ))
mkdir -p "$build"
build="$(cd "$build" && pwd)"

cxx="${CORVANET_FUZZ_CXX:-}"
if [ -z "$cxx" ]; then
  for c in clang++ clang++-14; do
    if command -v "$c" >/dev/null 2>&1; then cxx="$c"; break; fi
  done
fi
if [ -z "$cxx" ] || ! command -v "$cxx" >/dev/null 2>&1; then
  echo "fuzz_engine: clang++ not found${cxx:+ ($cxx)}. The fuzzer needs clang with libFuzzer:" \
       "install clang and libclang-rt-14-dev (scripts/setup-debian.sh does)." >&2
  exit 1
fi

flags=(-std=c++20 -g -O1 -ffp-contract=off -fno-fast-math -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Wall -Wextra)

# Make sure libFuzzer itself is there before blaming the target.
probe="$build/probe.cpp"
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' > "$probe"
if ! "$cxx" "${flags[@]}" "$probe" -o "$build/probe" 2> "$build/probe.log"; then
  cat "$build/probe.log" >&2
  echo "fuzz_engine: $cxx cannot link with -fsanitize=fuzzer: libFuzzer is missing;" \
       "install libclang-rt-14-dev (scripts/setup-debian.sh does)." >&2
  exit 1
fi

sources=("$here/fuzz_engine.cpp" "$root"/engine/*.cpp
         "$root/text/number_reading.cpp" "$root/text/number_text.cpp" "$root/text/display_rules.cpp")
fuzzer="$build/corvanet_fuzz"
stale=0
[ -x "$fuzzer" ] || stale=1
for f in "${sources[@]}" "$root"/engine/*.h "$root"/text/*.h "$0"; do
  [ "$f" -nt "$fuzzer" ] && stale=1
done
if [ "$stale" = 1 ]; then
  echo "fuzz_engine: building $fuzzer with $cxx"
  "$cxx" "${flags[@]}" -I"$root" "${sources[@]}" -o "$fuzzer"
fi

# The seeds are copied, so the run never writes into the repository.
corpus="$build/corpus"
rm -rf "$corpus"
mkdir -p "$corpus" "$build/artifacts"
cp "$here"/corpus/* "$corpus"/

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
log="$build/fuzz.log"
echo "fuzz_engine: running for $seconds s, log in $log"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1024 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" "$@" "$corpus" > "$log" 2>&1 || status=$?

runs="$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -1 || true)"
[ -n "$runs" ] || runs="$(grep -Eo '^Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' | tail -1 || true)"
cov="$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9]+[a-zA-Z]*' "$log" | tail -1 || true)"
echo "fuzz_engine: ${runs:-unknown} executions, $cov"
if [ "$status" != 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|invariant broken' "$log"; then
  echo "fuzz_engine: the fuzzer found a failure (exit $status):" >&2
  grep -E -A40 'invariant broken|ERROR: |runtime error:|deadly signal' "$log" | head -80 >&2 || tail -40 "$log" >&2
  ls -1 "$build"/artifacts/ >&2 || true
  exit 1
fi
echo "fuzz_engine: no failure found"
