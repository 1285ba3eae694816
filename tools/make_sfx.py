"""Synthesises the game's six sound effects as mono 16-bit WAV files.

Usage: make_sfx.py OUT_DIR  (writes expld.wav, flyin.wav, dbomb.wav,
start.wav, dmond.wav, psgas.wav). Each effect has its own fixed seed, so a
change to one leaves the others as they were.
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from synth import (SR, adsr, bandpass, decay, fade_out, glide, lowpass,  # noqa: E402
                   normalise, note_hz, pulse, seconds, sine, triangle, write_wav)


def expld():
    """One blasted mountain block: a crunchy burst with a low thump. It fires
    on every fifth block while the bomb digs, so it must be over quickly."""
    rng = np.random.default_rng(101)
    n = seconds(0.26)
    # Sample-and-hold noise whose rate falls, like an old sound chip's noise
    # channel stepping down: a crunch at first, a rumble at the end.
    rate = glide(14000.0, 1800.0, n)
    steps = np.floor(np.cumsum(rate / SR)).astype(int)
    crunch = rng.uniform(-1.0, 1.0, steps[-1] + 1)[steps]
    crunch = lowpass(crunch, glide(7000.0, 500.0, n))
    thump = sine(glide(120.0, 38.0, n, curve=0.5)) * decay(n, 0.045)
    burst = crunch * decay(n, 0.06, attack=0.001) * 1.6 + thump * 0.7
    return normalise(fade_out(burst, 0.04), -3.0)


def flyin():
    """The marker's arrival and the craft setting off: a rising whoosh."""
    rng = np.random.default_rng(202)
    n = seconds(0.7)
    t = np.linspace(0.0, 1.0, n)
    # Two band-passes in a row narrow the noise to a band that sweeps up.
    centre = glide(300.0, 3000.0, n, curve=0.8)
    air = bandpass(bandpass(rng.uniform(-1.0, 1.0, n), centre, q=4.0), centre, q=4.0)
    swell = np.sin(np.pi * np.clip(t / 0.9, 0.0, 1.0)) ** 1.5
    zip_ = pulse(glide(180.0, 900.0, n, curve=1.4), 0.25) * 0.18
    zip_ = lowpass(zip_, 3500.0) * np.interp(t, [0.0, 0.1, 0.6, 1.0], [0.0, 1.0, 0.5, 0.0])
    return normalise(fade_out(air * swell + zip_, 0.08), -3.0)


def dbomb():
    """The bomb let go: a short whistle falling in pitch."""
    n = seconds(0.5)
    f = glide(2100.0, 650.0, n, curve=1.3)
    # A touch of wobble keeps the whistle from sounding like a test tone.
    f = f * (1.0 + 0.008 * np.sin(2.0 * np.pi * 22.0 * np.arange(n) / SR))
    tone = sine(f) + 0.15 * sine(f * 2.0) + 0.05 * sine(f * 3.0)
    env = adsr(n, 0.012, 0.05, 0.85, 0.12)
    return normalise(tone * env, -11.0)


def _tone_note(name, start, length, total, duty=0.25, gain=1.0):
    """A pulse note placed in a buffer of total samples."""
    out = np.zeros(total)
    i0 = seconds(start)
    n = min(seconds(length), total - i0)
    f = np.full(n, note_hz(name))
    out[i0:i0 + n] = pulse(f, duty) * adsr(n, 0.003, 0.05, 0.6, 0.04) * gain
    return out


def start():
    """A new game or the next level: a bright rising jingle."""
    total = seconds(1.05)
    x = np.zeros(total)
    step = 0.075
    for k, name in enumerate(["G4", "C5", "E5", "G5", "C6"]):
        x += _tone_note(name, k * step, step * 1.3, total, duty=0.25, gain=0.5)
    held = 5 * step
    x += _tone_note("C6", held, 0.6, total, duty=0.25, gain=0.45)
    x += _tone_note("E5", held, 0.6, total, duty=0.125, gain=0.3)
    x += _tone_note("G5", held, 0.6, total, duty=0.5, gain=0.25)
    bass = np.zeros(total)
    nb = seconds(0.65)
    i0 = seconds(held)
    bass[i0:i0 + nb] = triangle(np.full(nb, note_hz("C3"))) * decay(nb, 0.25)
    x += bass * 0.5
    x = lowpass(x, 9000.0)
    return normalise(fade_out(x, 0.15), -3.5)


def _bell(freq, n):
    """A struck chime: a few inharmonic partials that die away."""
    partials = [(1.0, 1.0, 0.45), (2.76, 0.35, 0.18), (5.40, 0.18, 0.09), (8.93, 0.08, 0.05)]
    out = np.zeros(n)
    for ratio, amp, tau in partials:
        if freq * ratio < SR / 2.2:
            out += amp * sine(np.full(n, freq * ratio)) * decay(n, tau, attack=0.001)
    return out


def dmond():
    """The diamond found: a chime arpeggio with sparkles above it."""
    rng = np.random.default_rng(505)
    total = seconds(1.4)
    x = np.zeros(total)
    for k, name in enumerate(["E6", "G#6", "B6", "E7"]):
        i0 = seconds(k * 0.07)
        n = total - i0
        x[i0:] += _bell(note_hz(name), n) * (0.55 if k < 3 else 0.7)
    # Sparkles: short high pings scattered over the first part.
    for _ in range(14):
        i0 = int(rng.uniform(0.05, 0.85) * SR)
        f = rng.uniform(3500.0, 7000.0)
        n = seconds(0.06)
        if i0 + n <= total:
            x[i0:i0 + n] += 0.12 * sine(np.full(n, f)) * decay(n, 0.015, attack=0.002)
    x += 0.06 * pulse(np.full(total, note_hz("E6")), 0.125) * decay(total, 0.2)
    return normalise(fade_out(x, 0.2), -3.5)


def psgas():
    """Poison gas set free: a low hiss that wobbles, over a sinking drone."""
    rng = np.random.default_rng(606)
    n = seconds(1.6)
    t = np.arange(n) / SR
    wobble = 0.5 + 0.5 * np.sin(2.0 * np.pi * 6.5 * t)
    hiss = lowpass(lowpass(rng.uniform(-1.0, 1.0, n), 700.0 + 1500.0 * wobble), 2500.0)
    hiss *= 0.55 + 0.45 * wobble
    drone_f = glide(82.0, 52.0, n) * (1.0 + 0.03 * np.sin(2.0 * np.pi * 6.5 * t))
    drone = pulse(drone_f, 0.35)
    drone = lowpass(drone, 600.0)
    env = adsr(n, 0.08, 0.2, 0.8, 0.7)
    return normalise((hiss * 2.0 + drone * 0.5) * env, -4.0)


EFFECTS = {"expld": expld, "flyin": flyin, "dbomb": dbomb,
           "start": start, "dmond": dmond, "psgas": psgas}


def main():
    out_dir = sys.argv[1]
    for name, make in EFFECTS.items():
        write_wav(os.path.join(out_dir, name + ".wav"), make())


if __name__ == "__main__":
    main()
