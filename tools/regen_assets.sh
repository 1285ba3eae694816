#!/usr/bin/env bash
# Regenerates every picture and the font in assets/ from the generators in
# tools/. The outputs are committed, so building the game never needs this.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
bash tools/deps.sh "${TOOLS_PACKAGES[@]}"
# Debian's own python, where python3-fonttools lives (a pyenv may shadow it).
PY=/usr/bin/python3
export PYTHONDONTWRITEBYTECODE=1
$PY tools/make_sprites.py assets
$PY tools/make_font.py assets/game_font.ttf
$PY tools/make_logos.py assets
git status --short assets || true
