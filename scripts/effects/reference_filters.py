#!/usr/bin/env python3
"""Reference implementation of the sample-exact effects (equalisers, stereo and vocal filters),
written from the filter formulas, standard library only. Used by the tests to check the C++ filters
sample for sample:

    reference_filters.py CHOICE IN.wav OUT.wav [--chunk BYTES]
    reference_filters.py --all IN.wav OUTDIR [--chunk BYTES]   (OUTDIR/CHOICE.wav for each)

CHOICE is an effect menu text without pitch ("Open Air", "Soft Breeze", "Vocal Main", ...,
"High Only", "Studio Original"). Reads and writes 16-bit PCM WAVE files (mono or stereo)."""

import math
import struct
import sys
import wave

PI = 3.14159265359
TINY = 1.0 / 4294967295.0


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def clamp(v, lo, hi):
    return lo if v < lo else hi if v > hi else v


class Equalizer:
    def __init__(self, low=1.0, mid=1.0, high=1.0, low_freq=880, high_freq=5000):
        self.gains = (low, mid, high)
        self.freqs = (low_freq, high_freq)
        # per channel: low poles, high poles, history (newest first)
        self.state = [[[0.0] * 4, [0.0] * 4, [0.0] * 3] for _ in range(2)]

    def run(self, samples, stereo, rate):
        lc = 2 * math.sin(PI * self.freqs[0] / rate)
        hc = 2 * math.sin(PI * self.freqs[1] / rate)
        lg, mg, hg = self.gains
        channels = 2 if stereo else 1
        usable = len(samples) - len(samples) % channels
        for i in range(usable):
            p, q, h = self.state[i % channels]
            s = samples[i]
            x = s / 32768.0 if s < 0 else s / 32767.0
            p[0] += lc * (x - p[0]) + TINY
            p[1] += lc * (p[0] - p[1])
            p[2] += lc * (p[1] - p[2])
            p[3] += lc * (p[2] - p[3])
            low = p[3]
            q[0] += hc * (x - q[0]) + TINY
            q[1] += hc * (q[0] - q[1])
            q[2] += hc * (q[1] - q[2])
            q[3] += hc * (q[2] - q[3])
            high = h[2] - q[3]
            mid = h[2] - (high + low)
            y = lg * low + mg * mid + hg * high
            h[2], h[1], h[0] = h[1], h[0], x
            out = y * 32767.0 if y >= 0 else y * 32768.0
            samples[i] = clamp(int(out), -32768, 32767)


def level(samples, amount):
    f = f32(1.0 - amount * f32(0.05))
    for i in range(len(samples)):
        samples[i] = clamp(int(samples[i] * f), -32768, 32767)


def widen(samples, width):
    if width <= 0:
        return
    k = f32(width * f32(0.15))
    for i in range(0, len(samples) - 1, 2):
        left, right = samples[i], samples[i + 1]
        mid = (left + right) >> 1
        d = int((left - mid) * k)
        if d > 0:
            d = min(d, 32767 - left)
            d = min(d, right + 32768)
        else:
            if -d > left + 32768:
                d = -32768 - left
            if -d > 32767 - right:
                d = right - 32767
        samples[i], samples[i + 1] = left + d, right - d


def centre(samples, amount):
    if amount <= 0:
        return
    m = f32(amount * f32(0.1))
    for i in range(0, len(samples) - 1, 2):
        left, right = samples[i], samples[i + 1]
        mid = (left + right) >> 1
        e = int((left - mid) * m)
        samples[i], samples[i + 1] = left - e, right + e


def attenuate(samples):
    f = f32(0.9)
    for i in range(len(samples)):
        samples[i] = int(samples[i] * f)


class StereoEnhancer:
    def __init__(self, width, attenuate_on):
        self.width, self.attenuate_on = width, attenuate_on

    def run(self, samples, stereo, rate):
        if not stereo:
            return
        widen(samples, self.width)
        if self.attenuate_on:
            attenuate(samples)


class VocalInstrument:
    def __init__(self, instrument, level_cut, centre_amount, eq, lift):
        self.instrument, self.level_cut, self.centre_amount = instrument, level_cut, centre_amount
        self.eq, self.lift = eq, lift

    def run(self, samples, stereo, rate):
        level(samples, self.level_cut)
        if self.instrument:
            if stereo:
                widen(samples, self.level_cut)
            self.eq.run(samples, stereo, rate)
            if self.lift:
                level(samples, -4)
        else:
            if stereo:
                centre(samples, self.centre_amount)
            self.eq.run(samples, stereo, rate)


def instrument_eq():
    g = 1 + 10 * 0.025
    return Equalizer(g, 0.0, g, 750, 7000)


CHOICES = ['Studio Original', 'Soft Breeze', 'Open Air', 'Vocal Main', 'Instrument Main',
           'Bass Boost', 'Bass Suppress', 'Bass Only', 'Middle Boost', 'Middle Suppress',
           'Middle Only', 'High Boost', 'High Suppress', 'High Only']


def chain_for(choice):
    eq_presets = {
        'Bass Boost': (2.0, 1.0, 1.0, 1500), 'Bass Suppress': (0.0, 1.0, 1.0, 1500),
        'Bass Only': (2.0, 0.0, 0.0, 1500), 'Middle Boost': (1.0, 2.0, 1.0, 880),
        'Middle Suppress': (1.0, 0.0, 1.0, 880), 'Middle Only': (0.0, 2.0, 0.0, 880),
        'High Boost': (1.0, 1.0, 2.0, 880), 'High Suppress': (1.0, 1.0, 0.0, 880),
        'High Only': (0.0, 0.0, 2.0, 880),
    }
    if choice == 'Studio Original':
        return []
    if choice == 'Open Air':
        return [StereoEnhancer(7, True), Equalizer(1.0, 1.0, 1 + 7 * 0.1, 880, 5000)]
    if choice == 'Soft Breeze':
        return [VocalInstrument(True, 10, 10, instrument_eq(), True)]
    if choice == 'Vocal Main':
        return [VocalInstrument(False, 10, 10, Equalizer(0.0, 2.0, 0.0, 750, 7000), False)]
    if choice == 'Instrument Main':
        return [VocalInstrument(True, 10, 10, instrument_eq(), False)]
    if choice in eq_presets:
        low, mid, high, low_freq = eq_presets[choice]
        return [Equalizer(low, mid, high, low_freq, 5000)]
    raise SystemExit('unknown choice: %s' % choice)


def main(argv):
    chunk = 8192
    args = list(argv)
    if '--chunk' in args:
        at = args.index('--chunk')
        chunk = int(args[at + 1])
        del args[at:at + 2]
    if len(args) != 3:
        raise SystemExit(__doc__)
    choice, src, dst = args
    with wave.open(src, 'rb') as w:
        channels, width, rate = w.getnchannels(), w.getsampwidth(), w.getframerate()
        data = w.readframes(w.getnframes())
    if width != 2:
        raise SystemExit('only 16-bit input')
    if choice == '--all':
        for each in CHOICES:
            render(each, data, channels, rate, chunk, '%s/%s.wav' % (dst, each))
    else:
        render(choice, data, channels, rate, chunk, dst)


def render(choice, data, channels, rate, chunk, dst):
    chain = chain_for(choice)
    out = bytearray()
    for start in range(0, len(data), chunk):
        block = data[start:start + chunk]
        n = len(block) // 2
        samples = list(struct.unpack('<%dh' % n, block[:2 * n]))
        for f in chain:
            f.run(samples, channels == 2, rate)
        out += struct.pack('<%dh' % n, *samples) + block[2 * n:]
    with wave.open(dst, 'wb') as w:
        w.setnchannels(channels)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(out))


if __name__ == '__main__':
    main(sys.argv[1:])
