#!/usr/bin/env bash
# Runs one test in a fresh home of its own, removed afterwards.
set -u
home=$(mktemp -d "${TMPDIR:-/tmp}/wavix-test.XXXXXX")
trap 'rm -rf "$home"' EXIT
export HOME="$home"
export XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_RUNTIME_DIR="$home/.run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WAVIX_COMMON_APPDATA WAVIX_COMMON_DOCUMENTS
"$@"
