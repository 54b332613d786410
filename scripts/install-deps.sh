#!/usr/bin/env bash
# Installs every Debian package Zarneth needs to build, test and run.
# Idempotent and non-interactive: packages already present are left alone.
set -euo pipefail

packages=(
  # tool chain, and the check that every source is formatted alike
  build-essential cmake ninja-build pkg-config clang-format git
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  # audio files and sample-rate conversion
  libsndfile1-dev libsamplerate0-dev
  # Qt Core (settings, paths, files, logging), Qt Concurrent (reading the
  # contacts off the main thread) and Qt Multimedia (the sound server)
  qt6-base-dev qt6-multimedia-dev qt6-tools-dev qt6-l10n-tools
  # the screens: Qt Quick and the QML modules they load
  qt6-declarative-dev qml6-module-qtquick qml6-module-qtqml qml6-module-qtquick-window
  qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtquick-layouts
  qml6-module-qtqml-workerscript
  # the QML module's compilers (qmltyperegistrar, qmlcachegen) and qmllint,
  # which scripts/check-qml.sh runs over it
  qt6-declarative-dev-tools
  # a sound server with no sound card, for the audio integration test
  pulseaudio pulseaudio-utils
  # the application tested as people use it: a real window on an X server
  # with no screen, and taps made as a mouse makes them
  xvfb xdotool
  # independent checks of the archive format in the tests: Python's plistlib
  # and libplist, a second reader and writer of property lists
  python3 libplist-dev
  # tests that make folders read-only even for root (dropping its override)
  libcap-dev
  # the manual pages (scdoc), and the Debian package made and checked by
  # scripts/check-package.sh: dpkg-shlibdeps, lintian, the AppStream and
  # desktop-entry validators, file and man
  scdoc dpkg-dev lintian appstream desktop-file-utils file man-db
  # the fuzz targets (fuzz/run.sh): clang with libFuzzer and the sanitizers
  clang libclang-rt-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

run_as_root=()
if [ "$(id -u)" -ne 0 ]; then
  run_as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
"${run_as_root[@]}" apt-get update -q
"${run_as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
