"""The five sound cues, synthesised: RIFF WAVE files with uncompressed PCM samples.

Trumpet001     mono, 8 bit, 11025 Hz, 3.07 s  a trumpet call on the notes of one chord
fanfare001     mono, 8 bit, 11025 Hz, 7.09 s  a fanfare for two trumpets and kettle drum
Trumpet0003    mono, 8 bit, 11025 Hz, 2.68 s  a short rising trumpet phrase
Applause0001   mono, 8 bit, 11025 Hz, 3.12 s  a crowd clapping, swelling and dying away
chimes         stereo, 16 bit, 22050 Hz, 0.63 s  three bell strokes, left, middle, right

The sample count is the length times the rate, rounded. Every sound is normalised to a peak
of 0.89 of full scale, so nothing clips.
"""
import math
import os
import wave

import numpy as np

PEAK = 0.89

SOUNDS = {
    "Trumpet001": dict(channels=1, bits=8, rate=11025, seconds=3.07),
    "fanfare001": dict(channels=1, bits=8, rate=11025, seconds=7.09),
    "Trumpet0003": dict(channels=1, bits=8, rate=11025, seconds=2.68),
    "Applause0001": dict(channels=1, bits=8, rate=11025, seconds=3.12),
    "chimes": dict(channels=2, bits=16, rate=22050, seconds=0.63),
}


def note_hz(name):
    """Frequency of a note such as 'C5' or 'G#4' (A4 = 440 Hz)."""
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    return 440.0 * 2 ** ((semis + 12 * (int(rest) - 4)) / 12)


def brass(freq, dur, rate, loud=1.0, rng=None):
    """A trumpet-like tone: rich harmonics that brighten as the note swells, a lip attack with a
    little pitch scoop, light vibrato once the note is held, and a soft release."""
    n = int(dur * rate)
    t = np.arange(n) / rate
    attack = 0.035
    env = np.minimum(1.0, t / attack) ** 0.7
    release = min(0.08, dur * 0.3)
    env *= np.clip((dur - t) / release, 0, 1)
    env *= 1.0 - 0.15 * np.clip((t - attack) / max(dur, 1e-6), 0, 1)
    vibrato = 1 + 0.006 * np.sin(2 * math.pi * 5.5 * t) * np.clip((t - 0.25) / 0.2, 0, 1)
    scoop = 1 - 0.03 * np.exp(-t / 0.02)
    phase = 2 * math.pi * np.cumsum(freq * vibrato * scoop) / rate
    bright = 0.4 + 0.6 * env
    out = np.zeros(n)
    for k in range(1, 12):
        amp = (1.0 / k ** 0.9) * bright ** (k * 0.35)
        if freq * k > rate / 2 - 200:
            break
        out += amp * np.sin(k * phase)
    breath = (rng.normal(0, 1, n) if rng is not None else 0) * 0.02 * env
    return loud * env * out + breath


def timpani(freq, dur, rate, loud=1.0, rng=None):
    n = int(dur * rate)
    t = np.arange(n) / rate
    env = np.exp(-t / 0.35)
    out = np.sin(2 * math.pi * freq * t) + 0.5 * np.sin(2 * math.pi * freq * 1.5 * t) * \
        np.exp(-t / 0.15)
    hit = rng.normal(0, 1, n) * np.exp(-t / 0.02) * 0.4 if rng is not None else 0
    return loud * (env * out + hit)


def place(buffer, sound, start_s, rate):
    i = int(start_s * rate)
    end = min(len(buffer), i + len(sound))
    if end > i:
        buffer[i:end] += sound[: end - i]


def render_phrase(notes, total, rate, rng, voice=brass):
    """notes: (start in beats, length in beats, note name, loudness); a beat is 0.16 s."""
    beat = 0.16
    out = np.zeros(int(round(total * rate)))
    for start, length, name, loud in notes:
        place(out, voice(note_hz(name), length * beat, rate, loud, rng), start * beat, rate)
    return out


def trumpet001(rate, total, rng):
    # The call: a triplet pick-up, the chord climbing, a held top note and a lower answer.
    notes = [(0, 0.5, "G4", 0.8), (0.5, 0.5, "G4", 0.8), (1, 1, "C5", 1.0), (2, 1, "E5", 1.0),
             (3, 1.5, "G5", 1.0), (4.5, 0.5, "E5", 0.9), (5, 3, "G5", 1.0), (8.5, 1, "E5", 0.9),
             (9.5, 1, "C5", 0.9), (10.5, 0.5, "E5", 0.9), (11, 1, "D5", 0.9),
             (12, 5.5, "C5", 1.0)]
    return render_phrase(notes, total, rate, rng)


def fanfare001(rate, total, rng):
    melody = [(0, 0.5, "C5", 0.9), (0.5, 0.5, "C5", 0.9), (1, 0.5, "C5", 0.9),
              (1.5, 2, "G5", 1.0), (3.5, 0.5, "E5", 0.9), (4, 0.5, "F5", 0.9),
              (4.5, 2, "G5", 1.0), (7, 0.5, "G5", 0.9), (7.5, 0.5, "A5", 0.9),
              (8, 1, "G5", 1.0), (9, 1, "E5", 0.9), (10, 1, "C5", 0.9), (11, 1, "E5", 0.9),
              (12, 3, "D5", 1.0), (15.5, 0.5, "G4", 0.9), (16, 0.5, "C5", 0.9),
              (16.5, 0.5, "E5", 0.9), (17, 1, "G5", 1.0), (18, 1, "A5", 1.0),
              (19, 1, "B5", 1.0), (20, 2, "C6", 1.0), (22, 0.5, "G5", 0.9), (22.5, 0.5, "E5", 0.9),
              (23, 1, "G5", 0.9), (24, 2, "D5", 0.9), (26, 0.5, "G5", 0.9), (26.5, 0.5, "G5",
                                                                               0.9),
              (27, 0.5, "G5", 0.9), (27.5, 1, "G5", 1.0), (28.5, 0.5, "A5", 0.9),
              (29, 0.5, "B5", 0.9), (29.5, 13, "C6", 1.0)]
    harmony = [(s, l, _down_a_third(n), v * 0.6) for s, l, n, v in melody]
    out = render_phrase(melody, total, rate, rng) + render_phrase(harmony, total, rate, rng)
    beat = 0.16
    for start, name in [(1.5, "C3"), (4.5, "G2"), (8, "C3"), (12, "G2"), (17, "C3"),
                        (20, "C3"), (24, "G2"), (29.5, "C3")]:
        place(out, timpani(note_hz(name), 1.2, rate, 1.6, rng), start * beat, rate)
    # A drum roll under the last note.
    for k in range(40):
        place(out, timpani(note_hz("C3"), 0.3, rate, 0.5 + 0.02 * k, rng), (29.5 + k * 0.25) *
              beat, rate)
    return out


def _down_a_third(name):
    order = ["C", "D", "E", "F", "G", "A", "B"]
    letter, octave = name[0], int(name[-1])
    i = order.index(letter) - 2
    if i < 0:
        i += 7
        octave -= 1
    return order[i] + str(octave)


def trumpet0003(rate, total, rng):
    notes = [(0, 0.5, "C5", 0.85), (0.5, 0.5, "D5", 0.85), (1, 0.5, "E5", 0.9),
             (1.5, 1, "G5", 1.0), (2.5, 0.5, "E5", 0.9), (3, 1, "G5", 1.0),
             (4.5, 0.5, "A5", 0.95), (5, 0.5, "G5", 0.95), (5.5, 0.5, "E5", 0.9),
             (6, 0.5, "D5", 0.9), (6.5, 7, "C5", 1.0)]
    return render_phrase(notes, total, rate, rng)


def applause(rate, total, rng):
    """Many hands: each clap a short burst of band-passed noise, their rate swelling and dying."""
    n = int(round(total * rate))
    out = np.zeros(n)
    t_claps = []
    t = 0.0
    while t < total:
        density = 90 * min(1.0, 0.3 + t / 0.4) * (1 - max(0.0, (t - 1.6) / (total - 1.6))) ** 1.5
        density = max(density, 4)
        t += rng.exponential(1.0 / density)
        t_claps.append(t)
    length = int(0.03 * rate)
    tt = np.arange(length) / rate
    for tc in t_claps:
        if tc >= total:
            break
        noise = rng.normal(0, 1, length)
        # A crude band-pass: difference of two moving averages, centre set per clapper.
        width = rng.integers(2, 5)
        low = np.convolve(noise, np.ones(width) / width, mode="same")
        clap = (noise - low) * np.exp(-tt / rng.uniform(0.006, 0.012))
        place(out, clap * rng.uniform(0.4, 1.0), tc, rate)
    return out


def chimes(rate, total, rng):
    """Three bell strokes, high to low, panned left, centre and right."""
    n = int(round(total * rate))
    left = np.zeros(n)
    right = np.zeros(n)
    partials = [(1.0, 1.0, 1.0), (2.0, 0.55, 0.6), (2.76, 0.45, 0.45), (5.4, 0.25, 0.25),
                (8.93, 0.12, 0.15)]
    for k, (name, pan) in enumerate([("E6", 0.15), ("C6", 0.5), ("G5", 0.85)]):
        start = k * 0.12
        m = n - int(start * rate)
        t = np.arange(m) / rate
        f = note_hz(name)
        bell = np.zeros(m)
        for ratio, amp, decay in partials:
            bell += amp * np.sin(2 * math.pi * f * ratio * t) * np.exp(-t / (decay * 0.35))
        bell *= np.minimum(1.0, t / 0.002)
        place(left, bell * (1 - pan), start, rate)
        place(right, bell * pan, start, rate)
    fade = np.clip((total - np.arange(n) / rate) / 0.08, 0, 1)
    return np.stack([left * fade, right * fade], axis=1)


MAKERS = {"Trumpet001": trumpet001, "fanfare001": fanfare001, "Trumpet0003": trumpet0003,
          "Applause0001": applause, "chimes": chimes}


def render(name):
    form = SOUNDS[name]
    rate = form["rate"]
    rng = np.random.default_rng(sum(map(ord, name)))
    samples = MAKERS[name](rate, form["seconds"], rng)
    count = int(round(form["seconds"] * rate))
    samples = samples[:count]
    fade_in = np.minimum(1.0, np.arange(len(samples)) / (0.004 * rate))
    samples = samples * (fade_in if samples.ndim == 1 else fade_in[:, None])
    samples = samples / max(1e-9, np.max(np.abs(samples))) * PEAK
    return samples, form


def write_wave(path, samples, form):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if form["bits"] == 8:
        data = np.clip(np.round(samples * 127 + 128), 0, 255).astype(np.uint8).tobytes()
    else:
        data = np.clip(np.round(samples * 32767), -32768, 32767).astype("<i2").tobytes()
    with wave.open(path, "wb") as w:
        w.setnchannels(form["channels"])
        w.setsampwidth(form["bits"] // 8)
        w.setframerate(form["rate"])
        w.writeframes(data)
