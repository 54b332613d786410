#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine and runs Zarneth's main job.
# Without arguments: the application when there is a display, else a tour
# in the shell: the voice print of the bundled example utterance, how near
# two utterances of one name are compared with another name, and names
# trained and dialled by voice, through the spoken dialogue, in a scratch
# store on the virtual audio device.
#   scripts/run.sh app [OPTIONS]   the application (--audio virtual --mic FILE ...)
#   scripts/run.sh demo            the tour in the shell
#   scripts/run.sh ARGS...         zarneth-cli with those arguments
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release -DZARNETH_BUILD_TESTS=OFF -DZARNETH_BUILD_BENCHMARKS=OFF >/dev/null
cli=build/release/src/zarneth-cli
app=build/release/src/zarneth

# Someone without an address book of vCards gets the example contacts.
if [ -z "${ZARNETH_CONTACTS:-}" ] && [ ! -d "${XDG_DATA_HOME:-$HOME/.local/share}/kpeoplevcard" ]; then
  export ZARNETH_CONTACTS="$PWD/build/release/share/zarneth/contacts"
fi

if [ $# -eq 0 ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$app"
fi
case "${1:-demo}" in
  app) shift; exec "$app" "$@" ;;
  demo) ;;
  *) exec "$cli" "$@" ;;
esac

if [ $# -eq 0 ]; then
  echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so this is"
  echo "the tour in the shell; scripts/run.sh app opens the application on a display."
  echo
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
echo "== Training two names, then saying one in the spoken dialogue (a scratch store, virtual audio)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config"
store=(--documents "$scratch/documents")
"$cli" "${store[@]}" train --name "Anna Schmidt" --number "+49 170 1234567" "$examples/anna.wav"
"$cli" "${store[@]}" train --name "Ben Miller" --number "0170 7654321" "$examples/ben.wav"
echo "-- listening; the virtual microphone says anna-again.wav:"
"$cli" "${store[@]}" --audio virtual --mic "$examples/anna-again.wav" listen
