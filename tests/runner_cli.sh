#!/usr/bin/env bash
# The headless runner's command line: bad arguments and bad timelines stop it
# with status 2 before the game starts; a normal run writes one trace line
# per presentation and the shots asked for.
set -uo pipefail
build="$(cd "${1:?usage: runner_cli.sh BUILD_DIR}" && pwd)"
runner="$build/orlenvault-headless"
[ -x "$runner" ] || { echo "no runner at $runner"; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A program folder of its own, so the best-score file of the build stays untouched.
mkdir -p "$work/game" && cp -r "$build/data" "$work/game/"

passed=0
failed=0
check() {  # check NAME CONDITION-STATUS
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}

# expect_refusal NAME STDERR-PATTERN ARGS...
expect_refusal() {
  local name="$1" pattern="$2"
  shift 2
  "$runner" --dir "$work/game" "$@" </dev/null >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq 2 ] && grep -q -- "$pattern" "$work/err"
  check "$name (status $status, stderr: $(head -c 200 "$work/err"))" $?
}

expect_refusal "unknown option" 'unknown argument "--speed"' --speed 2
expect_refusal "frames zero" "--frames" --frames 0
expect_refusal "frames not a number" "--frames" --frames ten
expect_refusal "seed not a number" "--seed" --seed 1.5
expect_refusal "value missing" "--trace needs a value" --trace
expect_refusal "shot without a frame" "--shot" --shot picture.png
expect_refusal "missing program folder" "cannot enter the folder" --dir "$work/nowhere"
expect_refusal "missing input file" "cannot read the input" --input "$work/nowhere.txt"
expect_refusal "shot in a missing folder" "no folder for the shot" --shot "1:$work/nowhere/a.png"
expect_refusal "trace in a missing folder" "cannot write the trace" --trace "$work/nowhere/t.jsonl"

printf '# skip the intro, then fire\n1 key 27\n\n40 mouse 4\n' >"$work/bad.txt"
expect_refusal "malformed timeline line" "$work/bad.txt:4: mouse button 4 is outside" --input "$work/bad.txt"
printf '1 key 13\n2 frobnicate\n' | "$runner" --dir "$work/game" --input - >/dev/null 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && grep -q 'stdin:2: unknown event "frobnicate"' "$work/err"
check "malformed line on standard input (status $status)" $?

# A short run: the close request comes when presentation 3 returns. Should it
# land in the intro, one title-menu frame is still shown before the game ends.
"$runner" --dir "$work/game" --frames 3 --seed 7 --trace "$work/t.jsonl" --shot "2:$work/two.png" \
  >"$work/out" 2>"$work/err"
status=$?
check "short run exits 0 (status $status, stderr: $(head -c 300 "$work/err"))" "$status"
python3 - "$work/t.jsonl" <<'PY'
import json, sys
lines = open(sys.argv[1]).read().splitlines()
objs = [json.loads(l) for l in lines]
frames = [o["frame"] for o in objs]
assert frames[:3] == [1, 2, 3], frames
in_intro = objs[2]["game_mode"] != 4
assert len(objs) == (4 if in_intro else 3), (len(objs), objs[2]["game_mode"])
PY
check "trace has one JSON line per presentation" $?

python3 - "$work/two.png" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
assert data[12:16] == b"IHDR"
w, h, depth, colour = struct.unpack(">IIBB", data[16:26])
assert (w, h, depth, colour) == (640, 480, 8, 2), (w, h, depth, colour)
PY
check "shot is a 640x480 8-bit RGB PNG" $?

# A shot whose presentation never comes is reported, and the run fails.
"$runner" --dir "$work/game" --frames 2 --shot "50:$work/late.png" >/dev/null 2>"$work/err"
status=$?
[ "$status" -eq 1 ] && grep -q "no shot $work/late.png" "$work/err" && [ ! -e "$work/late.png" ]
check "shot never reached (status $status)" $?

# Same seed and timeline, same trace; run from another folder with --dir.
(cd "$work" && "$runner" --dir game --frames 3 --seed 7 --trace again.jsonl >/dev/null 2>&1)
cmp -s "$work/t.jsonl" "$work/again.jsonl"
check "a run repeats exactly" $?

echo "runner_cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
