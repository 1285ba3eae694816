#!/usr/bin/env bash
# The music reaches the sound output: the real program runs in a real window
# (a virtual X server with a window manager) with SDL's disk audio driver,
# which writes the mixed output (16-bit little-endian stereo) to a file; after
# about three seconds of intro and title the file must hold sound.
# Usage: audio_output.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: audio_output.sh BUILD_DIR}
work=$(mktemp -d)
source "$(dirname "$0")/lib/x_session.sh"

# A copy of the program beside its data, so the best score it writes at exit
# lands here and not in the build folder.
cp "$build/orlenvault" "$work/" || exit 1
cp -r "$build/data" "$work/data" || exit 1
rm -f "$work/data/hiscore.dat"

start_x_session
start_game SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" "$work/orlenvault"
xdotool windowactivate --sync "$window" 2>/dev/null
sleep 3

escape_until_exit
if [ -n "$game_pid" ]; then
  echo "FAIL: the game did not end after Escape" >&2
  exit 1
fi
failures=0
if [ "$game_status" -ne 0 ]; then
  echo "FAIL: exit status $game_status" >&2
  cat "$work/game.err" >&2
  failures=$((failures + 1))
fi

# 44100 frames a second of two 16-bit samples: a second of music is far
# more than 44100 samples away from silence.
if [ ! -s "$work/out.raw" ]; then
  echo "FAIL: nothing reached the sound output" >&2
  cat "$work/game.err" >&2
  exit 1
fi
read -r bytes sounding peak < <(od -An -v -t d2 -w2 "$work/out.raw" |
  awk -v b="$(stat -c %s "$work/out.raw")" \
    '{ v = $1 < 0 ? -$1 : $1; if (v) n++; if (v > p) p = v } END { print b, n + 0, p + 0 }')
echo "sound output: $bytes bytes, $sounding samples not silent, peak $peak"
if [ "$sounding" -lt 44100 ] || [ "$peak" -lt 1000 ]; then
  echo "FAIL: the music did not reach the sound output" >&2
  failures=$((failures + 1))
fi

if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "audio output: all checks passed"
