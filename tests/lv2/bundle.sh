#!/bin/sh
# The generated bundle: its Turtle validates against the LV2 schemas that
# lv2-dev installs (sord_validate), and lilv (lv2info) sees the plug-in with
# its ports, presets and UI.
#
# The library exports the two descriptors only.
#
# usage: bundle.sh BUNDLE
set -eu
bundle=$(readlink -f "$1")
schemas=/usr/lib/lv2
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Every schema the bundle's terms come from, plus the RDF vocabularies.
sord_validate -l $(find "$schemas/schemas.lv2" "$schemas/core.lv2" "$schemas/ui.lv2" \
    "$schemas/state.lv2" "$schemas/presets.lv2" "$schemas/units.lv2" "$schemas/urid.lv2" \
    "$schemas/port-props.lv2" "$schemas/instance-access.lv2" "$schemas/options.lv2" \
    "$schemas/atom.lv2" -name '*.ttl' | sort) \
    "$bundle"/*.ttl >validate.log 2>&1 || { cat validate.log; fail "sord_validate"; }
grep -q '^Found 0 errors' validate.log || { cat validate.log; fail "sord_validate reports problems"; }
echo "sord_validate: $(cat validate.log)"

# The library shows hosts its two descriptors and nothing else.
exports=$(nm -D --defined-only "$bundle/zindra.so" | awk '{print $3}' | sort | tr '\n' ' ')
[ "$exports" = "lv2_descriptor lv2ui_descriptor " ] || fail "zindra.so exports: $exports"

mkdir lv2 && ln -s "$bundle" lv2/zindra.lv2
LV2_PATH="$work/lv2" ${ZINDRA_LV2_HOST_PREFIX:-} lv2info urn:corvanti:zindra >info.txt 2>&1 ||
    { cat info.txt; fail "lv2info"; }
python3 - info.txt <<'PY' || { cat info.txt; exit 1; }
import re, sys
text = open(sys.argv[1]).read()
ports = re.split(r"\n\tPort \d+:", text)[1:]
kinds = {}
for p in ports:
    types = tuple(sorted(re.findall(r"lv2core#(\w+Port)", p)))
    kinds[types] = kinds.get(types, 0) + 1
want = {("AudioPort", "InputPort"): 2, ("AudioPort", "OutputPort"): 2,
        ("ControlPort", "InputPort"): 12, ("ControlPort", "OutputPort"): 1}
if kinds != want:
    sys.exit("FAIL: ports %s, expected %s" % (kinds, want))
latency = [p for p in ports if re.search(r"Symbol:\s+latency\n", p)]
if not latency or "reportsLatency" not in latency[0]:
    sys.exit("FAIL: no latency port reporting latency")
toggled = sum(1 for p in ports if "lv2core#toggled" in p)
if toggled != 7:
    sys.exit("FAIL: %d switches marked toggled, 7 expected" % toggled)
section = text.split("Presets:", 1)[1].split("\n\n", 1)[0]
presets = sorted(line.strip() for line in section.splitlines() if line.strip())
if len(presets) != 10 or "Vocal Out - Mode 1" not in presets or "Isolate Vocal (HR)" not in presets:
    sys.exit("FAIL: presets %s, the ten programs expected" % presets)
if "urn:corvanti:zindra#editor" not in text or "X11UI" not in text:
    sys.exit("FAIL: no X11 UI")
print("lv2info: 12 control inputs (7 toggled), latency output, 10 presets, X11 UI")
PY
