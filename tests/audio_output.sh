#!/usr/bin/env bash
# The music reaches the sound output: the real program runs in a real window
# (a virtual X server with a window manager) with SDL's disk audio driver,
# which writes the mixed output (16-bit little-endian stereo) to a file; after
# about three seconds of intro and title the file must hold sound.
# Usage: audio_output.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: audio_output.sh BUILD_DIR}
work=$(mktemp -d)
xvfb_pid="" wm_pid="" game_pid=""

cleanup() {
  for p in "$game_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The system's GL and D-Bus libraries leave allocations behind at exit in a
# sanitizer build; the game's own leaks are the unit tests' business.
export ASAN_OPTIONS=detect_leaks=0
unset SDL_VIDEODRIVER WAYLAND_DISPLAY

# A copy of the program beside its data, so the best score it writes at exit
# lands here and not in the build folder.
cp "$build/orlenvault" "$work/" || exit 1
cp -r "$build/data" "$work/data" || exit 1
rm -f "$work/data/hiscore.dat"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "FAIL: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/wm.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" "$work/orlenvault" \
  >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "FAIL: no window from the game" >&2
  cat "$work/game.err" >&2
  exit 1
fi
xdotool windowactivate --sync "$window" 2>/dev/null
sleep 3

# Escape skips the intro, then leaves from the title menu.
status=""
for _ in $(seq 40); do
  xdotool key Escape 2>/dev/null
  for _ in $(seq 5); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      wait "$game_pid"
      status=$?
      game_pid=""
      break 2
    fi
    sleep 0.1
  done
done
if [ -n "$game_pid" ]; then
  echo "FAIL: the game did not end after Escape" >&2
  exit 1
fi
failures=0
if [ "$status" -ne 0 ]; then
  echo "FAIL: exit status $status" >&2
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
