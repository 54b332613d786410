#!/usr/bin/env bash
# Makes the seven system prompts in resources/prompts/: CAF files of 16-bit
# mono PCM at 22050 Hz. The spoken ones come from espeak-ng (English), the
# beeps from sox. The results are committed; run this only to remake them.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/sound-tools.sh

out=resources/prompts
mkdir -p "$out"

# speak NAME TEXT
speak() {
  espeak-ng -v en-us -s 150 -p 45 -w "$work/$1.wav" "$2"
  sox -V1 -D -R "$work/$1.wav" -r 22050 -c 1 -b 16 -e signed-integer "$out/$1.caf"
}

# A soft, short tone: ready to listen.
sox -V1 -D -R -n -r 22050 -c 1 -b 16 -e signed-integer "$out/beep1.caf" synth 0.15 sine 880 fade 0.01 0.15 0.03 vol 0.5
# Two falling tones: not recognised.
sox -V1 -D -R -n -r 22050 -c 1 -b 16 -e signed-integer "$work/low1.wav" synth 0.15 sine 660 fade 0.01 0.15 0.03 vol 0.5
sox -V1 -D -R -n -r 22050 -c 1 -b 16 -e signed-integer "$work/low2.wav" synth 0.25 sine 440 fade 0.01 0.25 0.05 vol 0.5
sox -V1 -D -R "$work/low1.wav" "$work/low2.wav" "$out/beep2.caf"

speak speak-now "Speak now."
speak say-accept-etc "Say accept, repeat, or cancel."
speak say-repeat-cancel "Say repeat, or cancel."
speak not-recognized "Not recognized."
speak you-said "You said:"
echo "Wrote $(ls "$out"/*.caf | wc -l) prompts to $out"
