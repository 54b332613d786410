# Sourced by the scripts that make sounds: installs espeak-ng and sox when
# missing and gives a scratch folder, $work, removed at exit.
for tool in espeak-ng sox; do
  if ! command -v "$tool" >/dev/null; then
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    DEBIAN_FRONTEND=noninteractive ${sudo:-} apt-get install -y -q --no-install-recommends "$tool"
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
