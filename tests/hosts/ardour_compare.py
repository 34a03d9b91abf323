"""Compares Ardour's export with `zindra process`'s result (32-bit float WAVs).

usage: ardour_compare.py level|samples ARDOUR.wav COMMAND.wav
  level:   same length, levels within 0.5 dB (Ardour may start the engine's
           hop grid elsewhere, so the samples themselves may differ)
  samples: same length, same samples within -90 dB
"""
import math
import struct
import sys


def read_float_wav(path):
    data = open(path, "rb").read()
    pos, fmt = 12, None
    while pos + 8 <= len(data):
        chunk, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if chunk == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
        elif chunk == b"data":
            if not fmt or fmt[0] not in (3, 0xFFFE) or fmt[5] != 32:
                sys.exit("FAIL: %s is not 32-bit float (%s)" % (path, fmt))
            return struct.unpack("<%df" % (size // 4), body)
        pos += 8 + size + (size & 1)
    sys.exit("FAIL: %s has no audio" % path)


if __name__ == "__main__":
    mode, ardour, command = sys.argv[1], read_float_wav(sys.argv[2]), read_float_wav(sys.argv[3])
    if len(ardour) != len(command):
        sys.exit("FAIL: Ardour exported %d samples, the command wrote %d" % (len(ardour), len(command)))
    energy_a = sum(x * x for x in ardour)
    energy_c = sum(x * x for x in command)
    if energy_c == 0:
        sys.exit("FAIL: the command's result is silent")
    level = 10 * math.log10(max(energy_a, 1e-30) / energy_c)
    difference = 10 * math.log10(max(sum((a - c) ** 2 for a, c in zip(ardour, command)), 1e-60) / energy_c)
    print("%s: level %+.2f dB, difference %.1f dB" % (mode, level, difference))
    if mode == "level" and abs(level) > 0.5:
        sys.exit("FAIL: levels differ by %.2f dB" % level)
    if mode == "samples" and difference > -90:
        sys.exit("FAIL: samples differ (%.1f dB)" % difference)
