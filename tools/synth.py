"""Small synthesiser shared by the sound and music generators.

Everything works on numpy float arrays at SR samples a second, values in
-1..1. Pulse waves are band-limited (polyBLEP) so high notes stay clean
instead of whistling with aliases; noise comes from a seeded generator so
every run writes the same files.
"""
import wave

import numpy as np

SR = 44100


def seconds(n):
    return int(round(n * SR))


def note_hz(name):
    """'A4' -> 440.0; sharps as 'C#5'."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    semis += (int(rest) - 4) * 12
    return 440.0 * 2.0 ** (semis / 12.0)


def phase_of(freq):
    """Running phase in cycles (0..1) for a per-sample frequency array."""
    ph = np.cumsum(np.asarray(freq, dtype=np.float64) / SR)
    return ph - np.floor(ph)


def _blep(t, dt):
    """Correction that rounds off a unit step at phase 0 of a wave."""
    out = np.zeros_like(t)
    lo = t < dt
    x = t[lo] / dt[lo]
    out[lo] = x + x - x * x - 1.0
    hi = t > 1.0 - dt
    x = (t[hi] - 1.0) / dt[hi]
    out[hi] = x * x + x + x + 1.0
    return out


def pulse(freq, duty=0.5):
    """Band-limited pulse wave with the given high fraction, DC removed."""
    freq = np.asarray(freq, dtype=np.float64)
    t = phase_of(freq)
    dt = np.clip(freq / SR, 1e-9, 0.5)
    naive = np.where(t < duty, 1.0, -1.0)
    t2 = t + (1.0 - duty)
    t2 -= np.floor(t2)
    wave_ = naive + _blep(t, dt) - _blep(t2, dt)
    return wave_ - (2.0 * duty - 1.0)


def triangle(freq):
    t = phase_of(freq)
    return 1.0 - 4.0 * np.abs(t - 0.5)


def sine(freq):
    return np.sin(2.0 * np.pi * phase_of(freq))


def const(value, n):
    return np.full(n, float(value))


def glide(f0, f1, n, curve=1.0):
    """Frequency moving from f0 to f1 over n samples on an exponential path;
    curve > 1 lingers near f0 longer."""
    x = np.linspace(0.0, 1.0, n) ** curve
    return f0 * (f1 / f0) ** x


def adsr(n, attack, decay_s, sustain, release):
    """Envelope of a note n samples long, release included: rise over attack
    seconds, fall to the sustain level over decay_s, hold, then fall to
    silence over the last release seconds."""
    i = np.arange(n, dtype=np.float64)
    a = max(seconds(attack), 1)
    d = max(seconds(decay_s), 1)
    r = max(seconds(release), 1)
    env = np.interp(i, [0, a, a + d], [0.0, 1.0, sustain])
    gate_off = max(n - r, 0)
    env[gate_off:] *= np.linspace(1.0, 0.0, n - gate_off)
    return env


def decay(n, tau, attack=0.002):
    """Quick rise then exponential fall with time constant tau seconds."""
    i = np.arange(n, dtype=np.float64) / SR
    env = np.exp(-i / tau)
    a = seconds(attack)
    if a > 0:
        env[:a] *= np.arange(a) / a
    return env


def fade_out(x, length):
    n = min(seconds(length), len(x))
    x = x.copy()
    x[len(x) - n:] *= np.linspace(1.0, 0.0, n) ** 2
    return x


def lowpass(x, cutoff):
    """One-pole low-pass; cutoff in Hz, a number or one value per sample."""
    cutoff = np.broadcast_to(np.asarray(cutoff, dtype=np.float64), x.shape)
    coef = 1.0 - np.exp(-2.0 * np.pi * cutoff / SR)
    out = np.empty_like(x)
    y = 0.0
    for i, (v, c) in enumerate(zip(x.tolist(), coef.tolist())):
        y += c * (v - y)
        out[i] = y
    return out


def bandpass(x, centre, q=2.0):
    """State-variable band-pass with a moving centre (Hz per sample)."""
    centre = np.broadcast_to(np.asarray(centre, dtype=np.float64), x.shape)
    f = 2.0 * np.sin(np.pi * np.minimum(centre, SR / 6.0) / SR)
    damp = 1.0 / q
    out = np.empty_like(x)
    low = band = 0.0
    for i, (v, fi) in enumerate(zip(x.tolist(), f.tolist())):
        low += fi * band
        high = v - low - damp * band
        band += fi * high
        out[i] = band
    return out


def circular_filter(x, response):
    """Filters one loop of sound as if it repeated for ever: the filter's
    memory at the start comes from the end, so the seam stays continuous.
    response(freqs_hz) gives the complex gain per frequency."""
    spectrum = np.fft.rfft(x, axis=0)
    freqs = np.fft.rfftfreq(x.shape[0], 1.0 / SR)
    gain = response(freqs)
    if spectrum.ndim == 2:
        gain = gain[:, None]
    return np.fft.irfft(spectrum * gain, n=x.shape[0], axis=0)


def normalise(x, peak_db):
    return x * (10.0 ** (peak_db / 20.0) / np.max(np.abs(x)))


def write_wav(path, x):
    """Writes 16-bit PCM; x is (n,) for mono or (n, 2) for stereo."""
    x = np.asarray(x)
    channels = 1 if x.ndim == 1 else x.shape[1]
    pcm = np.clip(np.round(x * 32767.0), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(pcm.tobytes())
