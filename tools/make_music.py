"""Synthesises the game's background music loop as a mono 16-bit WAV file.

Usage: make_music.py OUT_WAV

An arcade-style tune in C major: a pulse-wave lead with a soft echo, a thin
pulse arpeggio, a triangle bass and noise drums. The loop is a whole number
of bars with every bar a whole number of samples; notes still ringing at the
end are folded back onto the start, and the echo and the tone filter work on
the loop as a circle, so the last sample flows into the first without a
click when the game repeats it.

Mono, like the arcade machines it imitates, and sixteen bars long: the game
decodes the whole loop before its first frame, and a stereo or longer loop
would double that wait for little gain.
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from synth import (SR, adsr, circular_filter, decay, glide, lowpass,  # noqa: E402
                   normalise, note_hz, pulse, sine, triangle, write_wav)

STEP = 5400            # samples in a sixteenth note: 122.5 beats a minute
BAR = 16 * STEP

CHORD_TONES = {"C": ["C", "E", "G"], "Am": ["A", "C", "E"], "F": ["F", "A", "C"],
               "G": ["G", "B", "D"], "Em": ["E", "G", "B"], "Dm": ["D", "F", "A"]}

# Each bar: the lead line as NOTE:sixteenths ("-" rests), and its chords,
# one per half bar.
VERSE = [
    ("G4:2 C5:2 E5:4 D5:2 C5:2 E5:4", "C C"),
    ("A5:6 G5:2 E5:4 C5:4", "Am Am"),
    ("F5:4 A5:4 G5:2 F5:2 E5:2 D5:2", "F F"),
    ("D5:6 B4:2 G4:4 -:4", "G G"),
    ("G4:2 C5:2 E5:4 G5:4 E5:2 G5:2", "C C"),
    ("A5:4 C6:4 B5:2 A5:2 G5:2 E5:2", "Am Am"),
    ("F5:2 E5:2 F5:2 A5:2 G5:4 D5:4", "F G"),
    ("C5:6 E5:2 C5:4 -:4", "C C"),
]
BRIDGE = [
    ("A5:4 F5:2 A5:2 C6:6 A5:2", "F F"),
    ("B5:4 G5:2 B5:2 D6:6 B5:2", "G G"),
    ("G5:4 E5:2 G5:2 B5:4 G5:4", "Em Em"),
    ("A5:6 E5:2 C5:4 E5:4", "Am Am"),
    ("F5:4 D5:2 F5:2 A5:4 F5:4", "Dm Dm"),
    ("G5:4 F5:2 E5:2 D5:4 B4:4", "G G"),
    ("C5:2 E5:2 G5:2 C6:2 B5:2 G5:2 E5:2 G5:2", "C C"),
    ("D5:4 G5:4 F5:4 D5:4", "G G"),
]
# The bridge ends on G, which leads back into the verse's first bar.
SONG = VERSE + BRIDGE

TAIL = 2 * BAR         # room for notes ringing past the end before folding


def parse_line(line):
    """'C5:2 -:4' -> [(step, length, note or None), ...]"""
    out, step = [], 0
    for token in line.split():
        name, length = token.split(":")
        length = int(length)
        out.append((step, length, None if name == "-" else name))
        step += length
    assert step == 16, line
    return out


def place(buf, start, sound):
    buf[start:start + len(sound)] += sound


def lead_note(name, steps):
    """The tune's voice: a quarter-duty pulse with a vibrato that comes in
    late, so short notes stay crisp and long ones sing."""
    gate = steps * STEP
    n = gate + int(0.08 * SR)
    t = np.arange(n) / SR
    depth = 0.006 * np.clip((t - 0.18) / 0.2, 0.0, 1.0)
    f = note_hz(name) * (1.0 + depth * np.sin(2.0 * np.pi * 5.5 * t))
    return pulse(f, 0.25) * adsr(n, 0.004, 0.09, 0.6, 0.08 + 0.01)


def arp_note(name):
    n = int(STEP * 0.9)
    return pulse(np.full(n, note_hz(name)), 0.125) * adsr(n, 0.002, 0.04, 0.35, 0.03)


def bass_note(name, steps):
    n = steps * STEP
    return triangle(np.full(n, note_hz(name))) * adsr(n, 0.003, 0.08, 0.75, 0.02)


def drum_kit():
    """The drum hits, made once and placed wherever the beat needs them."""
    rng = np.random.default_rng(707)
    n = int(0.16 * SR)
    kick = sine(glide(150.0, 45.0, n, curve=0.4)) * decay(n, 0.07, attack=0.001)
    n = int(0.14 * SR)
    rattle = lowpass(rng.uniform(-1.0, 1.0, n), 5000.0)
    snare = rattle * decay(n, 0.05) + 0.4 * triangle(glide(210.0, 160.0, n)) * decay(n, 0.03)
    n = int(0.05 * SR)
    noise = rng.uniform(-1.0, 1.0, n)
    hat = (noise - lowpass(noise, 3000.0)) * decay(n, 0.018, attack=0.0005)
    n = int(0.2 * SR)
    noise = rng.uniform(-1.0, 1.0, n)
    open_hat = (noise - lowpass(noise, 3000.0)) * decay(n, 0.06, attack=0.0005)
    return {"kick": kick, "snare": snare, "hat": hat, "open_hat": open_hat}


def drum_bar(last_of_section):
    """(step, hit, gain) for one bar: kick on one and three, snare on two and
    four, eighth-note hats; a snare run closes each eight-bar section."""
    hits = [(0, "kick", 1.0), (8, "kick", 1.0), (10, "kick", 0.6),
            (4, "snare", 1.0), (12, "snare", 1.0)]
    for s in range(0, 16, 2):
        hits.append((s, "hat", 1.0 if s % 4 == 2 else 0.6))
    if last_of_section:
        hits += [(13, "snare", 0.5), (14, "snare", 0.7), (15, "snare", 0.85)]
        hits = [h for h in hits if not (h[1] == "hat" and h[0] >= 12)]
    else:
        hits.append((14, "open_hat", 0.5))
        hits = [h for h in hits if not (h[1] == "hat" and h[0] == 14)]
    return hits


def bass_bar(chords):
    """Octave-bouncing eighths on each half bar's root."""
    out = []
    for half, chord in enumerate(chords.split()):
        root = CHORD_TONES[chord][0]
        for k in range(4):
            out.append((half * 8 + 2 * k, 2, root + ("2" if k % 2 == 0 else "3")))
    return out


def arp_bar(chords):
    """A sixteenth-note ripple through the chord: root, third, fifth, third."""
    out = []
    for half, chord in enumerate(chords.split()):
        tones = CHORD_TONES[chord]
        names = [tones[0] + "4", tones[1] + "4", tones[2] + "4"]
        # Keep the ripple rising: a tone below the root moves up an octave.
        hz = [note_hz(n) for n in names]
        for i in (1, 2):
            if hz[i] < hz[0]:
                names[i] = names[i][:-1] + "5"
        for k in range(8):
            out.append((half * 8 + k, names[[0, 1, 2, 1][k % 4]]))
    return out


def render():
    length = len(SONG) * BAR
    lead = np.zeros(length + TAIL)
    arp = np.zeros(length + TAIL)
    bass = np.zeros(length + TAIL)
    drums = np.zeros(length + TAIL)
    hats = np.zeros(length + TAIL)
    kit = drum_kit()
    for bar, (line, chords) in enumerate(SONG):
        origin = bar * BAR
        for step, steps, name in parse_line(line):
            if name:
                place(lead, origin + step * STEP, lead_note(name, steps))
        for step, name in arp_bar(chords):
            place(arp, origin + step * STEP, arp_note(name))
        for step, steps, name in bass_bar(chords):
            place(bass, origin + step * STEP, bass_note(name, steps))
        for step, hit, gain in drum_bar(bar % 8 == 7):
            target = hats if "hat" in hit else drums
            place(target, origin + step * STEP, kit[hit] * gain)

    def fold(voice):
        """Notes ringing past the end sound again over the loop's start."""
        loop = voice[:length].copy()
        loop[:TAIL] += voice[length:]
        return loop

    lead, arp, bass, drums, hats = map(fold, (lead, arp, bass, drums, hats))
    # The echo of the lead, three sixteenths late; the roll wraps it round
    # the loop like everything else.
    echo = np.roll(lead, 3 * STEP) * 0.4
    mix = lead * 0.24 + echo * 0.24 + arp * 0.09 + bass * 0.36 + drums * 0.4 + hats * 0.5
    # Take the edge off the pulses so minutes of play do not tire the ear.
    mix = circular_filter(mix, lambda f: 1.0 / np.sqrt(1.0 + (f / 6500.0) ** 2))
    return normalise(mix, -4.0)


def main():
    write_wav(sys.argv[1], render())


if __name__ == "__main__":
    main()
