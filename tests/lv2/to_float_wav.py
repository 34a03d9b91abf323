"""Rewrites a 16-bit PCM WAV as 32-bit float, so that hosts which keep the
input's format (lv2apply) write results exact enough to compare."""
import struct
import sys
import wave

with wave.open(sys.argv[1]) as w:
    channels, rate, frames = w.getnchannels(), w.getframerate(), w.getnframes()
    samples = struct.unpack("<%dh" % (frames * channels), w.readframes(frames))
data = struct.pack("<%df" % len(samples), *(s / 32768.0 for s in samples))
fmt = struct.pack("<HHIIHH", 3, channels, rate, rate * channels * 4, channels * 4, 32)
with open(sys.argv[2], "wb") as out:
    out.write(b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE")
    out.write(b"fmt " + struct.pack("<I", len(fmt)) + fmt)
    out.write(b"data" + struct.pack("<I", len(data)) + data)
