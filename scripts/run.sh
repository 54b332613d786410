#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine and runs Zarneth's main job.
# Without arguments: the voice print of the bundled example utterance, how
# near two utterances of one name are compared with another name, and a
# name trained and dialled by voice in a scratch store.
# With arguments: zarneth-cli with those arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release -DZARNETH_BUILD_TESTS=OFF -DZARNETH_BUILD_BENCHMARKS=OFF >/dev/null
cli=build/release/src/zarneth-cli

if [ $# -gt 0 ]; then
  exec "$cli" "$@"
fi

examples=resources/examples
echo "== Voice print of $examples/anna.wav (\"Anna Schmidt\", two seconds)"
"$cli" print "$examples/anna.wav"
echo
echo "== Distances (smaller is nearer)"
printf '%-50s %s\n' \
  '"Anna Schmidt" and "Anna Schmidt" spoken again:' "$("$cli" distance "$examples/anna.wav" "$examples/anna-again.wav")" \
  '"Anna Schmidt" and "Ben Miller":' "$("$cli" distance "$examples/anna.wav" "$examples/ben.wav")"

echo
echo "== Training two names and saying one of them again (in a scratch store)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config"
store=(--documents "$scratch/documents")
"$cli" "${store[@]}" train --name "Anna Schmidt" --number "+49 170 1234567" "$examples/anna.wav"
"$cli" "${store[@]}" train --name "Ben Miller" --number "0170 7654321" "$examples/ben.wav"
echo "-- recognising anna-again.wav:"
"$cli" "${store[@]}" recognize "$examples/anna-again.wav"
