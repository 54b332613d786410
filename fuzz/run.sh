#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for
# SECONDS on a fresh copy of its seed corpus:
#
#   fuzz/run.sh SECONDS [TARGET...]
#
# Prints one line per target (executions, and whether it failed); the full
# log, the corpus it grew and any failing input stay in build/fuzz/work/TARGET/.
# Exits non-zero when a target crashed, leaked, timed out, ran out of memory
# or reported undefined behaviour. The committed corpus is never changed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(archive_fuzzer vcard_fuzzer audio_file_fuzzer voice_print_fuzzer)
build=build/fuzz

# The longest input each target is given: room for a small store, a few
# cards, a short sound file, a quarter of a second of speech.
max_len() {
  case $1 in
    archive_fuzzer | audio_file_fuzzer) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

./scripts/install-deps.sh

echo "== Building the fuzz targets in $build (clang)"
mkdir -p "$build"
if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DZARNETH_FUZZ=ON -DZARNETH_WERROR=ON -DZARNETH_BUILD_TESTS=OFF -DZARNETH_BUILD_BENCHMARKS=OFF &&
       cmake --build "$build" --parallel 2 --target "${targets[@]}"; } >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log"
  echo "fuzz: the build failed (full log: $build/build.log)"
  exit 1
fi

# Runs one target; prints its line and returns non-zero when it failed.
run_target() {
  local target=$1
  local work=$build/work/$target
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp fuzz/corpus/"$target"/* "$work/corpus/"
  local options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len="$(max_len "$target")"
    -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$work/")
  [ -f fuzz/"$target".dict ] && options+=(-dict=fuzz/"$target".dict)

  # Targets that need files keep them in the temporary folder: one of this
  # run's own, in memory where there is a tmpfs, gone afterwards even when
  # the target crashed.
  local scratch
  scratch=$(mktemp -d "$([ -d /dev/shm ] && echo /dev/shm || echo "$PWD/$work")/zarneth-fuzz.XXXXXX")
  local status=0
  TMPDIR=$scratch ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0 \
    timeout --kill-after=30 $((seconds * 2 + 120)) \
    "$build/fuzz/$target" "${options[@]}" "$work/corpus" >"$work/log" 2>&1 || status=$?
  rm -rf "$scratch"

  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$work/log" | tail -n 1 | tr -d '#')
  local problem
  problem=$(grep -m 1 -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error:|^[A-Za-z]+Fuzzer: |^DistanceOracle: ' \
    "$work/log" || true)
  if [ "$status" -eq 0 ] && [ -z "$problem" ]; then
    printf '%-20s %10s runs in %s s  ok\n' "$target" "${runs:-?}" "$seconds"
    return 0
  fi
  printf '%-20s %10s runs  FAILED (exit %s): %s\n' "$target" "${runs:-?}" "$status" "${problem:-see the log}"
  local artifact
  for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
    [ -e "$artifact" ] && echo "    input: $artifact"
  done
  echo "    log:   $work/log"
  return 1
}

echo "== Fuzzing each target for $seconds s"
passed=0
failed=0
for target in "${targets[@]}"; do
  if run_target "$target"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
