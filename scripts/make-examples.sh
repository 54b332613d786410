#!/usr/bin/env bash
# Makes the example utterances in resources/examples/: two-second recordings
# as the dialler takes them (8000 Hz, mono, 16-bit), spoken by espeak-ng over
# a faint background hiss. The results are committed; run this only to remake
# them.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/sound-tools.sh

out=resources/examples
mkdir -p "$out"

# utter NAME VOICE SPEED PITCH TEXT
utter() {
  local name=$1 voice=$2 speed=$3 pitch=$4 text=$5
  espeak-ng -v "$voice" -s "$speed" -p "$pitch" -w "$work/$name.raw.wav" "$text"
  # 0.3 s of room before the name, cut to exactly two seconds, as recorded.
  sox -V1 -D "$work/$name.raw.wav" -r 8000 -c 1 -b 16 "$work/$name.speech.wav" pad 0.3 2 trim 0 2
  sox -R -D -n -r 8000 -c 1 -b 16 "$work/$name.hiss.wav" synth 2 whitenoise vol 0.003
  sox -D -m "$work/$name.speech.wav" "$work/$name.hiss.wav" -b 16 "$out/$name.wav"
}

utter anna        en     150 50 "Anna Schmidt"
utter anna-again  en     135 42 "Anna Schmidt"
utter ben         en     150 50 "Ben Miller"
utter juergen     de     140 45 "Jürgen Weiß"
utter accept      en     150 50 "accept"
utter cancel      en     150 50 "cancel"
echo "Wrote $(ls "$out"/*.wav | wc -l) examples to $out"
