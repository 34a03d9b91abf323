"""Writes a three-second song-like stereo WAV (16-bit, 44.1 kHz): a centred
voice-like tone with vibrato and syllables, and an instrument on each side."""
import math
import struct
import sys
import wave

rate, frames = 44100, 3 * 44100
out = bytearray()
for i in range(frames):
    t = i / rate
    syllable = 1.0 if (t % 0.25) < 0.2 else 0.0
    f0 = 330 * (1 + 0.02 * math.sin(2 * math.pi * 5.5 * t))
    voice = syllable * sum(0.15 / k * math.sin(2 * math.pi * k * f0 * t) for k in range(1, 9))
    left = voice + 0.2 * math.sin(2 * math.pi * 196 * t) * math.exp(-3 * (t % 0.5))
    right = voice + 0.15 * math.sin(2 * math.pi * 523.3 * t)
    out += struct.pack("<hh", int(round(32767 * left)), int(round(32767 * right)))
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(bytes(out))
