#!/usr/bin/env bash
# Makes the application's images in resources/images/ from their hand-written
# SVG sources in resources/images/src/: PNGs at three times their point size
# (the app draws them at point size). No text is set in a font, so the output
# depends on librsvg alone. The results are committed; run this only to
# remake them after changing a source.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v rsvg-convert >/dev/null; then
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  ${sudo:-} apt-get install -y -q --no-install-recommends librsvg2-bin ||
    { ${sudo:-} apt-get update -q && ${sudo:-} apt-get install -y -q --no-install-recommends librsvg2-bin; }
fi

src=resources/images/src
out=resources/images
scale=3

# render NAME WIDTH HEIGHT (in points)
render() {
  rsvg-convert --width $(($2 * scale)) --height $(($3 * scale)) \
    --format png --output "$out/$1.png" "$src/$1.svg"
}

render background 320 480
for icon in main actions Commands settings help about; do
  render "$icon" 30 30
done
render logo 298 70
# The application icon, for the desktop and the phone's launcher.
rsvg-convert --width 256 --height 256 --format png --output "$out/zarneth.png" "$src/zarneth.svg"
echo "Wrote $(ls "$out"/*.png | wc -l) images to $out"
