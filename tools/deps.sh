#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet:
# as root directly, otherwise through sudo, otherwise it says what is missing.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update -qq && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
else
  echo "Please install these Debian packages, then run again: ${missing[*]}" >&2
  exit 1
fi
