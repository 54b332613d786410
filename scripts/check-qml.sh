#!/usr/bin/env bash
# Checks every file of the Zarneth QML module with qmllint, against the
# types the module registers from the controllers, in a configured build
# tree (build/test unless named). Fails on anything qmllint reports: its
# warnings fail the lint target, and its notes (an unused import, ...) are
# treated as warnings here.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/test}

# The lint target generates the module's type information first.
if ! output=$(cmake --build "$dir" --target zarneth_app_qmllint 2>&1); then
  echo "$output"
  echo "== QML lint failed"
  exit 1
fi
if grep -E '^(Warning|Info):' <<<"$output"; then
  echo "== QML lint failed"
  exit 1
fi
echo "== QML lint clean"
