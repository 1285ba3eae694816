#!/usr/bin/env bash
# The real program in a real window: under a virtual X server with a window
# manager, the game opens a full-screen window captioned "Orlenvault", shows
# a picture letterboxed at the desktop size, leaves with status 0 when Escape
# is pressed (intro, then title menu) and on SIGTERM; without any display it
# stops at once with one clear line.
# Usage: real_window.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: real_window.sh BUILD_DIR}
game="$build/orlenvault"
work=$(mktemp -d)
failures=0

source "$(dirname "$0")/lib/x_session.sh"

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- Without any display: one line on stderr and a failure status ------------
env -u DISPLAY timeout 30 "$game" >"$work/out" 2>"$work/err"
status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
  fail "without a display the program gave status $status"
fi
if [ "$(wc -l <"$work/err")" -ne 1 ] || ! grep -qi display "$work/err"; then
  fail "without a display stderr should be one line naming the display:"
  cat "$work/err" >&2
fi

# --- A virtual screen and a window manager ---------------------------------
start_x_session

# Mean brightness (0..1) and brightest value of a region of the screen.
measure() {
  convert "$work/shot.png" -crop "$1" +repage -colorspace gray -format '%[fx:mean] %[fx:maxima]' info:
}

# True when the window covers the whole desktop; sets geometry.
full_screen() {
  geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null | awk '/Geometry/ {print $2}')
  [ "$geometry" = "1280x1024" ]
}

# True when the screenshot shows a lit 640x480 picture doubled to 1280x960
# with 32 rows of black bar above and below; sets picture and bars.
letterboxed() {
  import -window root "$work/shot.png" 2>/dev/null || return 1
  read -r picture _ <<<"$(measure 1280x960+0+32)"
  read -r _ top <<<"$(measure 1280x32+0+0)"
  read -r _ bottom <<<"$(measure 1280x32+0+992)"
  bars="$top $bottom"
  awk -v p="$picture" -v t="$top" -v b="$bottom" 'BEGIN { exit !(p > 0.01 && t == 0 && b == 0) }'
}

start_game "$game"
caption=$(xdotool getwindowname "$window")
[ "$caption" = "Orlenvault" ] || fail "window caption is '$caption'"
# The window manager takes a moment to give the window the whole desktop.
for _ in $(seq 100); do
  full_screen && break
  sleep 0.1
done
full_screen || fail "window is '$geometry', not the whole 1280x1024 desktop"
xdotool windowactivate --sync "$window" 2>/dev/null

# The intro may fade in from black: look until the picture shows.
for _ in $(seq 40); do
  letterboxed && break
  sleep 0.5
done
if ! letterboxed; then
  fail "no lit letterboxed picture (picture brightness $picture, brightest in the bars $bars)"
  cp "$work/shot.png" "$build/real_window_shot.png"
  echo "screenshot kept in $build/real_window_shot.png" >&2
fi

escape_until_exit
if [ -n "$game_pid" ]; then
  fail "the game did not end after Escape"
else
  [ "$game_status" -eq 0 ] || fail "exit status after Escape was $game_status"
fi

# SIGTERM asks the game to close: it leaves through its exit sequence.
start_game "$game"
sleep 1
kill -TERM "$game_pid"
if await_exit 200; then
  [ "$game_status" -eq 0 ] || fail "exit status after SIGTERM was $game_status"
else
  fail "the game did not end after SIGTERM"
fi

if [ "$failures" -gt 0 ]; then
  echo "real window: $failures check(s) failed" >&2
  exit 1
fi
echo "real window: all checks passed"
