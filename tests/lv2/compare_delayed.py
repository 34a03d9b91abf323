"""Compares a host's result that still carries the plug-in's latency with
`zindra process`'s aligned one (32-bit float WAVs).

usage: compare_delayed.py HOST.wav COMMAND.wav LATENCY LIMIT_DB
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "hosts"))
from ardour_compare import read_float_wav  # noqa: E402

host, command = read_float_wav(sys.argv[1]), read_float_wav(sys.argv[2])
latency, limit = 2 * int(sys.argv[3]), float(sys.argv[4])
aligned = host[latency:latency + len(command)]
if len(aligned) != len(command):
    sys.exit("FAIL: the host wrote %d samples, %d expected" % (len(host), len(command) + latency))
energy = sum(x * x for x in command)
if energy == 0:
    sys.exit("FAIL: the command's result is silent")
difference = 10 * math.log10(max(sum((a - c) ** 2 for a, c in zip(aligned, command)), 1e-60) / energy)
print("difference after removing %d frames of latency: %.1f dB" % (latency // 2, difference))
if difference > limit:
    sys.exit("FAIL: samples differ (%.1f dB, at most %.0f dB allowed)" % (difference, limit))
