#!/bin/sh
# The Windows build of the hosting code runs a song-like file through the
# Windows plug-in under Wine; the Linux build runs the same file through the
# Linux library of the same effect. Their results must agree to within -90 dB
# (the difference's energy against the result's), for each run: a program, a
# block size and parameter settings (by default Zindra's: programs of each
# frame size and the dry path, "Humidity" 0). The transforms and frame
# kernels of both builds round alike, so the results are expected to be the
# same bits; the bound leaves room for a compiler that rounds a step
# differently, where a per-bin decision between nearly equal channels could
# then fall the other way and single samples differ by more.
# ZINDRA_VECTOR_CODE, when set, caps the Windows plug-in's vector code only:
# the Linux plug-in runs its widest.
#
# usage: wine_hosting.sh WINE_RUN WINDOWS_RENDER WINDOWS_PLUGIN LINUX_BUILD_DIR
#                        [LINUX_LIBRARY [RUN ...]]
#   LINUX_LIBRARY: the effect's library in the Linux build (zindra.so)
#   RUN: "PROGRAM [BLOCK [INDEX=VALUE ...]]", the block 1024 unless given
set -eu
wine_run=$1
windows_render=$2
windows_plugin=$3
linux_render=$4/bin/zindra-render-raw
linux_plugin=$4/${5:-zindra.so}
shift 4
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- "0" "9" "5 1024 4=0" "4 333"

if [ ! -x "$linux_render" ] || [ ! -f "$linux_plugin" ]; then
    echo "FAIL: the Linux build is missing ($linux_render, $linux_plugin): build the linux preset first"
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/in.raw" <<'PY'
import math, struct, sys
# Four seconds at 44.1 kHz: a centred voice-like tone with vibrato, an
# instrument on each side and a little deterministic noise.
rate, frames, seed, out = 44100, 4 * 44100, 1, []
def noise():
    global seed
    seed = (seed * 1664525 + 1013904223) % 2**32
    return (seed / 2**32 - 0.5) * 0.02
for i in range(frames):
    t = i / rate
    voice = sum(0.2 / k * math.sin(k * 2 * math.pi * 330 * (t + 0.003 * math.sin(2 * math.pi * 5.5 * t))) for k in range(1, 8))
    out += [voice + 0.2 * math.sin(2 * math.pi * 196 * t) + noise(), voice + 0.15 * math.sin(2 * math.pi * 523 * t) + noise()]
open(sys.argv[1], "wb").write(struct.pack("<%df" % len(out), *out))
PY

status=0
for run in "$@"; do
    # shellcheck disable=SC2086
    set -- $run
    program=$1; shift
    block=${1:-1024}; [ $# -gt 0 ] && shift
    env -u ZINDRA_VECTOR_CODE "$linux_render" "$linux_plugin" "$work/in.raw" "$work/linux.raw" 44100 "$program" "$block" "$@"
    "$wine_run" "$windows_render" "$windows_plugin" "$work/in.raw" "$work/windows.raw" 44100 "$program" "$block" "$@"
    if ! python3 - "$work/linux.raw" "$work/windows.raw" "$run" <<'PY'
import math, struct, sys
a = open(sys.argv[1], "rb").read()
b = open(sys.argv[2], "rb").read()
if len(a) != len(b):
    print("FAIL %s: lengths differ (%d and %d bytes)" % (sys.argv[3], len(a), len(b))); sys.exit(1)
x = struct.unpack("<%df" % (len(a) // 4), a)
y = struct.unpack("<%df" % (len(b) // 4), b)
energy = sum(v * v for v in x)
error = sum((p - q) ** 2 for p, q in zip(x, y))
worst = max(abs(p - q) for p, q in zip(x, y)) / max(abs(v) for v in x)
db = 10 * math.log10(max(error, 1e-60) / energy)
print("program/block/settings %-12s difference %.1f dB (largest single sample %.1f dB of the peak)"
      % (sys.argv[3], db, 20 * math.log10(max(worst, 1e-30))))
sys.exit(0 if db <= -90 and energy > 0 else 1)
PY
    then
        status=1
    fi
done
exit $status
