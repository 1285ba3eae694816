#!/usr/bin/env bash
# Regenerates the six sound effects and the music loop in data/.
# Same input, same output: the generators use fixed seeds and every Ogg
# stream gets a fixed serial number, so an unchanged tool rewrites
# byte-identical files.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
bash tools/deps.sh "${TOOLS_PACKAGES[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The system python: numpy comes from Debian, not from a user's own python.
/usr/bin/python3 tools/make_sfx.py "$work"
/usr/bin/python3 tools/make_music.py "$work/music.wav"

mkdir -p data
serial=1
for name in expld flyin dbomb start dmond psgas; do
  oggenc -Q -q 4 --serial "$serial" -o "data/$name.ogg" "$work/$name.wav"
  serial=$((serial + 1))
done
# The loop plays for the whole run: quality 3 keeps it small without
# audible loss for square waves and noise drums.
oggenc -Q -q 3 --serial "$serial" -o data/music.ogg "$work/music.wav"
ls -l data/*.ogg
