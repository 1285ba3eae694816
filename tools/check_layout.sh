#!/usr/bin/env bash
# The game folders reach the outside world only through platform/: no SDL,
# libpng, FreeType or Vorbis header may be included from them.
set -euo pipefail
cd "$(dirname "$0")/.."
if grep -rnE '#include *[<"](SDL|png\.h|ft2build|freetype|vorbis|ogg)' shell play present; then
  echo "game code includes a platform library directly; go through platform/" >&2
  exit 1
fi
