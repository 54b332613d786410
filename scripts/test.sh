#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine and runs every test: once in
# an optimised build that treats warnings as errors, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-style.sh

jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  echo "== Building $dir"
  ./scripts/build.sh "$dir" -DZARNETH_WERROR=ON "$@"
  echo "== Testing $dir"
  ctest --test-dir "$dir" --output-on-failure --parallel "$jobs"
}

run_suite build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
./scripts/check-qml.sh build/test
./scripts/check-package.sh build/test
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZARNETH_SANITIZE=ON -DZARNETH_BUILD_BENCHMARKS=OFF
echo "== All tests passed"
