#!/usr/bin/env bash
# Times the headless runner over long stretches of real play and reports its
# peak memory, which must not grow with the number of frames.
#
#   tools/long_play.sh BUILD_DIR [FRAMES...]     (default: 10000 100000)
#
# For each frame count a pilot plays the game once in-process (rounds won on
# the diamond, lost in poison gas, lost by flying away, new games from the
# title) and writes the input timeline it used; orlenvault-headless then
# replays that timeline under /usr/bin/time -v. Both write the best score at
# exit: the two files must agree, or the replay did not follow the pilot.
# Use a Release build for figures worth quoting.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1/orlenvault-headless" ]; then
  echo "usage: $0 BUILD_DIR [FRAMES...]  (BUILD_DIR holds orlenvault-headless)" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
shift
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/long-play-XXXXXX)
trap 'rm -rf "$work"' EXIT

flags=(-std=c++20 -O2)
if grep -q '^ORLENVAULT_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  flags+=(-fsanitize=address,undefined)
fi
# shellcheck disable=SC2046  # pkg-config prints several words on purpose
c++ "${flags[@]}" -I"$src" "$src/tools/long_play_pilot.cpp" -o "$work/pilot" \
  "$build/libov_runner.a" "$build/libov_game.a" "$build/libov_platform_headless.a" \
  "$build/libov_platform.a" "$build/libov_assets.a" \
  $(pkg-config --libs libpng freetype2 vorbisfile vorbis ogg) -lpthread

for n in "${counts[@]}"; do
  run="$work/run-$n"
  mkdir -p "$run"
  cp -r "$build/data" "$run/"
  rm -f "$run/data/hiscore.dat"
  echo "== $n frames"
  (cd "$run" && "$work/pilot" "$n" 1 "$work/timeline-$n.txt")
  mv "$run/data/hiscore.dat" "$work/pilot-best-$n.dat"
  /usr/bin/time -v "$build/orlenvault-headless" --dir "$run" --seed 1 --frames "$n" \
    --input "$work/timeline-$n.txt" 2>"$work/time-$n.txt"
  if ! cmp -s "$work/pilot-best-$n.dat" "$run/data/hiscore.dat"; then
    echo "the replay's best score differs from the pilot's" >&2
    exit 1
  fi
  echo "timeline: $(wc -l <"$work/timeline-$n.txt") events"
  grep -E 'Elapsed \(wall clock\)|User time|Maximum resident set size' "$work/time-$n.txt"
done
