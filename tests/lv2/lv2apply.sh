#!/bin/sh
# One of the bundle's plug-ins in lv2apply (Debian's lilv-utils): a test file
# through its first program with a few settings changed. Once the reported
# latency is taken off, the result must equal `zindra process` with the
# effect's VST 2 library on the same file and settings within -120 dB. The
# plug-in takes the engine reset it has pending at activation with a call of
# no frames, so the host's first sample is the effect's first: the same
# alignment the command gives.
#
# Zindra's ports carry the 0..1 values the command sets; Zindra Deep's carry
# their units (Depth 30 dB is 0.5 of its 60 dB).
#
# usage: lv2apply.sh ZINDRA_COMMAND EFFECT_LIBRARY BUNDLE zindra|deep
set -eu
zindra=$1
library=$2
bundle=$(readlink -f "$3")
effect=$4
here=$(cd "$(dirname "$0")" && pwd)
hosts=$here/../hosts

case $effect in
zindra)
    uri=urn:corvanti:zindra
    latency=8192
    in_host() {
        ${ZINDRA_LV2_HOST_PREFIX:-} lv2apply "$@" -c center 0.3 -c width 0.2 -c humidity 0.8 \
            -c stereolize 1 "$uri"
    }
    in_command() {
        "$zindra" process --plugin "$library" "$@" --program 0 --set Center=0.3 --set Width=0.2 \
            --set Humidity=0.8 --set "Stereolize!=1"
    }
    ;;
deep)
    uri=urn:corvanti:zindra-deep
    latency=4096
    in_host() {
        ${ZINDRA_LV2_HOST_PREFIX:-} lv2apply "$@" -c depth 30 -c width 20 -c tail 600 \
            -c low_keep 200 -c isolate 1 "$uri"
    }
    in_command() {
        "$zindra" process --plugin "$library" "$@" --program 0 --set Depth=0.5 --set Width=0.2 \
            --set Tail=0.2 --set "Low Keep=0.4" --set Isolate=1
    }
    ;;
*) echo "usage: lv2apply.sh ZINDRA_COMMAND EFFECT_LIBRARY BUNDLE zindra|deep"; exit 2 ;;
esac

work=$(mktemp -d)
[ -n "${ZINDRA_KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir "$work/lv2" && ln -s "$bundle" "$work/lv2/zindra.lv2"
export LV2_PATH="$work/lv2" ZINDRA_MESSAGE_LOG="$work/messages.log"

python3 "$hosts/ardour_test_signal.py" "$work/in16.wav"
python3 "$here/to_float_wav.py" "$work/in16.wav" "$work/in.wav"

# lv2apply's output is as long as its input and starts with the latency.
python3 - "$work/in.wav" "$work/padded.wav" "$latency" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
pad = int(sys.argv[3]) * 8
# in.wav is ours: a 12-byte header, a 24-byte fmt chunk, then the data chunk.
size = int.from_bytes(data[40:44], "little") + pad
data[40:44] = size.to_bytes(4, "little")
data[4:8] = (len(data) - 8 + pad).to_bytes(4, "little")
open(sys.argv[2], "wb").write(bytes(data) + bytes(pad))
PY

in_host -i "$work/padded.wav" -o "$work/lv2.wav"
in_command "$work/in.wav" "$work/command.wav" --bits float >/dev/null
echo "$uri:"
python3 "$here/compare_delayed.py" "$work/lv2.wav" "$work/command.wav" "$latency" -120
if [ -s "$ZINDRA_MESSAGE_LOG" ]; then cat "$ZINDRA_MESSAGE_LOG"; echo "FAIL: the plug-in reported a problem"; exit 1; fi
