#!/usr/bin/env bash
# The seven sound files beside the program decode completely, are the right
# kind of audio, are neither silent nor clipped, and the music loops without
# a click. Usage: sound_files.sh BUILD_DIR (the files are in BUILD_DIR/data).
set -euo pipefail
data="$1/data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for name in expld flyin dbomb start dmond psgas music; do
  if [ ! -f "$data/$name.ogg" ]; then
    echo "FAIL: $data/$name.ogg is missing" >&2
    exit 1
  fi
  if ! oggdec -Q -o "$work/$name.wav" "$data/$name.ogg"; then
    echo "FAIL: $name.ogg does not decode" >&2
    exit 1
  fi
done

/usr/bin/python3 - "$work" "$data" <<'EOF'
import array
import math
import sys
import wave

work, data = sys.argv[1], sys.argv[2]
failures = []

# Longest each effect may last: the blast plays on every fifth block the
# bomb digs, one block a frame, so it must be short.
EFFECT_LIMIT_S = {"expld": 0.5, "flyin": 2.5, "dbomb": 2.5,
                  "start": 2.5, "dmond": 2.5, "psgas": 2.5}
MUSIC_MIN_S = 30.0
QUIET_DB = -40.0      # a stretch below this is as good as silent
SEAM_WINDOW_S = 0.1   # how much music either side of the seam sets the scale
SEAM_FACTOR = 3.0     # a seam jump this many typical steps or more clicks


def ogg_complete(name):
    """Walks the Ogg pages: a whole file ends exactly with the page that
    carries the end-of-stream flag. A cut-off file decodes without complaint
    up to the cut, so only this shows that its end is missing."""
    with open(f"{data}/{name}.ogg", "rb") as f:
        blob = f.read()
    pos, last_flags = 0, None
    while pos < len(blob):
        header = blob[pos:pos + 27]
        if len(header) < 27 or header[:4] != b"OggS":
            return False
        segments = header[26]
        table = blob[pos + 27:pos + 27 + segments]
        if len(table) < segments:
            return False
        last_flags = header[5]
        pos += 27 + segments + sum(table)
    return pos == len(blob) and last_flags is not None and last_flags & 4 != 0


def load(name):
    with wave.open(f"{work}/{name}.wav") as w:
        frames = w.readframes(w.getnframes())
        info = (w.getnchannels(), w.getsampwidth(), w.getframerate())
    samples = array.array("h")
    samples.frombytes(frames)
    if sys.byteorder != "little":
        samples.byteswap()
    channels = info[0]
    return info, [samples[c::channels] for c in range(channels)]


def rms_db(values):
    if not values:
        return -math.inf
    mean_sq = sum(v * v for v in values) / len(values)
    return 10.0 * math.log10(mean_sq / 32768.0 ** 2) if mean_sq > 0 else -math.inf


def check_common(name, info, chans):
    if not ogg_complete(name):
        failures.append(f"{name}: the file is cut short (no end-of-stream page)")
    channels, width, rate = info
    if channels not in (1, 2) or width != 2 or rate not in (22050, 44100):
        failures.append(f"{name}: {channels} channels, {8 * width} bits, {rate} Hz")
        return False
    for c, ch in enumerate(chans):
        if max(ch) >= 32767 or min(ch) <= -32767:
            failures.append(f"{name}: channel {c} reaches full scale (clipped)")
        level = rms_db(ch)
        if level < QUIET_DB:
            failures.append(f"{name}: channel {c} is silent ({level:.1f} dBFS)")
    return True


for name, limit in EFFECT_LIMIT_S.items():
    info, chans = load(name)
    if not check_common(name, info, chans):
        continue
    seconds = len(chans[0]) / info[2]
    if not 0.05 <= seconds <= limit:
        failures.append(f"{name}: {seconds:.3f} s long, expected 0.05 to {limit} s")

info, chans = load("music")
if check_common("music", info, chans):
    rate = info[2]
    seconds = len(chans[0]) / rate
    if seconds < MUSIC_MIN_S:
        failures.append(f"music: {seconds:.2f} s long, expected at least {MUSIC_MIN_S} s")
    for c, ch in enumerate(chans):
        # No silent hole anywhere in the loop (a cut or an unfinished render).
        for s in range(len(ch) // rate):
            level = rms_db(ch[s * rate:(s + 1) * rate])
            if level < QUIET_DB:
                failures.append(f"music: channel {c} silent in second {s} ({level:.1f} dBFS)")
                break
        # The loop's seam: the step from the last sample back to the first
        # must look like the steps of the music around it.
        win = int(SEAM_WINDOW_S * rate)
        around = list(ch[-win:]) + list(ch[:win])
        typical = sum(abs(b - a) for a, b in zip(around, around[1:])) / (len(around) - 1)
        jump = abs(ch[0] - ch[-1])
        if jump > SEAM_FACTOR * max(typical, 1.0):
            failures.append(f"music: channel {c} clicks at the loop seam "
                            f"(jump {jump}, typical step {typical:.0f})")

for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
EOF
echo "sound files: all seven decode and check out"
