# Shared by the tests that drive the real program in a real window: a
# virtual X server with a window manager, the game started in it, and
# everything cleaned up on every way out. Sourced, not run.
# The caller sets `work` (a scratch folder) before sourcing.
xvfb_pid="" wm_pid="" game_pid="" window=""

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

# Starts Xvfb on a display number it picks itself, then openbox: without a
# window manager a full-screen window keeps its first size.
start_x_session() {
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
}

# Starts the program given (with any VAR=value words in front) and waits
# for its window; sets game_pid and window, or fails.
start_game() {
  env "$@" >"$work/game.out" 2>"$work/game.err" &
  game_pid=$!
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1)
    [ -n "$window" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "FAIL: no window from the game" >&2
  cat "$work/game.err" >&2
  exit 1
}

# Waits up to $1 tenths of a second for the game to end; sets game_status.
await_exit() {
  for _ in $(seq "$1"); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      wait "$game_pid"
      game_status=$?
      game_pid=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Escape skips the intro, then leaves from the title menu; sets game_status,
# and leaves game_pid set when the game did not end.
escape_until_exit() {
  game_status=""
  for _ in $(seq 40); do
    xdotool key Escape 2>/dev/null
    await_exit 5 && break
  done
}
