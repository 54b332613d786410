#!/usr/bin/env bash
# Makes the Debian package from an already-built tree and tries it:
#   scripts/check-package.sh BUILD_DIR
# The package is unpacked (dpkg -x) into a scratch folder and its programs
# run from there, so they find their data files beside them as they do under
# /usr: the versions, --help without a display, the shell tour on the bundled
# examples, the texts, the screenshots, the manual pages and the completion.
# Then lintian (no errors, no warnings), AppStream's validator and the
# desktop entry's, and apt's dependency resolution look at it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")

fail() {
  echo "check-package: $*" >&2
  exit 1
}

# expect PATTERN TEXT: TEXT has a line matching the extended regular expression.
expect() {
  grep -Eq -- "$1" <<<"$2" || fail "expected '$1' in:"$'\n'"$2"
}

echo "== Packaging $build"
# The tree is built already; this only makes what is missing, if anything.
cmake --build "$build" >/dev/null
rm -f "$build"/zarneth_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(echo "$build"/zarneth_*.deb)
[ -f "$deb" ] || fail "cpack made no package"
version=$(dpkg-deb -f "$deb" Version)
echo "$(basename "$deb"): $(du -h "$deb" | cut -f1)"
dpkg-deb -f "$deb" Depends

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
examples=$root/usr/share/zarneth/examples
# Nothing from the environment may point the programs elsewhere; the
# settings go to the scratch folder; no display.
unset ZARNETH_RESOURCES ZARNETH_DOCUMENTS ZARNETH_CONTACTS ZARNETH_URL_OPENER DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_CONFIG_HOME=$scratch/config LC_ALL='' LANG=C.UTF-8 LANGUAGE=en

echo "== The programs, as installed"
programs=$(file "$bin"/zarneth "$bin"/zarneth-cli)
[[ $programs == *"not stripped"* ]] && fail "the programs are not stripped"
[ "$("$bin"/zarneth-cli --version)" = "zarneth-cli $version" ] || fail "zarneth-cli --version"
[ "$("$bin"/zarneth --version)" = "zarneth $version" ] || fail "zarneth --version without a display"
expect "--screenshots <DIR>" "$("$bin"/zarneth --help)"

cli=("$bin"/zarneth-cli --documents "$scratch/documents")
"${cli[@]}" train --name "Anna Schmidt" --number "+49 170 1234567" "$examples/anna.wav" >/dev/null
"${cli[@]}" train --name "Ben Miller" --number "0170 7654321" "$examples/ben.wav" >/dev/null
listed=$("${cli[@]}" list)
expect "Anna Schmidt +\+49 170 1234567" "$listed"
expect "Ben Miller +0170 7654321" "$listed"
expect "^url: tel:\+491701234567$" "$("${cli[@]}" recognize "$examples/anna-again.wav")"
expect "^played speak-now$" "$("$bin"/zarneth-cli --audio virtual play speak-now)"
# The spoken dialogue, in German: the prompts and the texts are found.
heard=$(LANGUAGE=de LANG=de_DE.UTF-8 "${cli[@]}" --audio virtual --mic "$examples/anna-again.wav" listen)
expect "^\[Sagen Sie einen Namen\]" "$heard"
expect "^name: Anna Schmidt$" "$heard"

QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software "$bin"/zarneth --screenshots "$scratch/shots" 2>"$scratch/shots.log" ||
  fail "zarneth --screenshots: $(cat "$scratch/shots.log")"
if grep -E "is not installed|Cannot load library|module .* not found" "$scratch/shots.log"; then
  fail "the screens miss a module"
fi
# The AppStream screenshots are among those the tour makes.
for shot in resources/screenshots/*.png; do
  file "$scratch/shots/$(basename "$shot")" | grep -q "PNG image" || fail "no $(basename "$shot") from the tour"
done
shots=("$scratch"/shots/*.png)
echo "${#shots[@]} screenshots"

echo "== Manual pages and completion"
for page in zarneth zarneth-cli; do
  text=$(MANPATH=$root/usr/share/man MANWIDTH=80 man --warnings "$page" 2>"$scratch/man.log")
  [ -s "$scratch/man.log" ] && fail "man $page: $(cat "$scratch/man.log")"
  expect "^NAME" "$text"
  expect "^ +$page - " "$text"
done
bash -c "source '$root/usr/share/bash-completion/completions/zarneth-cli' && complete -p zarneth-cli" >/dev/null

echo "== lintian"
# Information tags are shown too, but only errors and warnings fail.
lintian_status=0
lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.log" 2>&1 || lintian_status=$?
grep -v "running with root privileges" "$scratch/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors or warnings"

echo "== AppStream and the desktop entry"
# --no-net: the maker's URLs are not fetched (CI has no network).
appstreamcli validate --pedantic --no-net "$root"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$root" >/dev/null
desktop-file-validate "$root"/usr/share/applications/*.desktop

echo "== Dependencies resolvable from the archive"
apt-get install --simulate --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 ||
  fail "apt cannot install the package: $(cat "$scratch/apt.log")"
echo "== The package is good: $deb"
