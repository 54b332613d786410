#!/usr/bin/env bash
# Checks the bash completion of zarneth-cli: sources it (without
# bash-completion, so its own file completion is used) and compares the
# candidates for a few command lines, in a folder with known files.
# test-completion.sh COMPLETION-FILE
set -uo pipefail
# shellcheck source=zarneth-cli
source "$1"
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
touch anna.wav ben.wav speech.caf
mkdir store

failures=0
# expect "WORDS OF THE COMMAND LINE" "EXPECTED CANDIDATES, SORTED"
expect()
{
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _zarneth_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
    if [[ $got != "$2" ]]; then
        echo "'$1': expected '$2', got '$got'"
        failures=$((failures + 1))
    fi
}

expect "zarneth-cli --v" "--version"
expect "zarneth-cli tr" "train train-voice"
expect "zarneth-cli --audio " "system virtual"
expect "zarneth-cli --documents s" "store"
expect "zarneth-cli --audio virtual --mic anna.wav --version" ""
expect "zarneth-cli --audio virtual --mic anna.wav li" "list listen"
expect "zarneth-cli co" "contacts"
expect "zarneth-cli --documents store recognize a" "anna.wav"
expect "zarneth-cli train --name Anna --number 1 " "anna.wav ben.wav speech.caf store"
expect "zarneth-cli train --system " "accept cancel repeat"
expect "zarneth-cli train-voice --" "--keep --name --number --system"
expect "zarneth-cli play s" "say-accept-etc say-repeat-cancel speak-now speech.caf store"
expect "zarneth-cli play beep1 " ""
expect "zarneth-cli record --out s" "speech.caf store"
expect "zarneth-cli settings " "Confirmations VoiceGuide"
expect "zarneth-cli settings VoiceGuide o" "off on"
expect "zarneth-cli delete --all " ""

if ((failures > 0)); then
    echo "$failures of the completions differ"
    exit 1
fi
echo "All completions as expected"
