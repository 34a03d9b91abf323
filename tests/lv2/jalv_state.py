"""Checks a state that jalv saved (state.ttl) against the bundle's presets.

usage: jalv_state.py dragged|preset STATE.ttl PRESETS.ttl
  dragged: "Center" moved up from the first program's value, "Spreadilate!" on
  preset:  the ports hold one preset's values, and so does the current
           program's entry in the effect's saved bank
"""
import base64
import re
import struct
import sys

mode, state_text, presets_text = sys.argv[1], open(sys.argv[2]).read(), open(sys.argv[3]).read()
SYMBOLS = ["center", "width", "spread", "mix", "humidity", "hi_res", "bypass", "zindracate",
           "stereolize", "pass_thru", "isolate", "spreadilate"]


def ports(text):
    return {s: float(v) for s, v in re.findall(r'lv2:symbol "(\w+)" ;\s*pset:value ([-\d.e]+)', text)}


state = ports(state_text)
if sorted(state) != sorted(SYMBOLS):
    sys.exit("FAIL: the saved state has ports %s" % sorted(state))
presets = {}
for block in presets_text.split("\n\n"):
    label = re.search(r'rdfs:label "([^"]*)"', block)
    if label:
        presets[label.group(1)] = ports(block)

if mode == "dragged":
    first = presets["Vocal Out - Mode 1"]
    if not state["center"] > first["center"] + 0.1:
        sys.exit("FAIL: the host's Center is %g after the drag (was %g)" % (state["center"], first["center"]))
    if state["spreadilate"] != 1.0:
        sys.exit("FAIL: the host's Spreadilate! is %g after the click" % state["spreadilate"])
    print("drag: the host's Center went from %g to %g, Spreadilate! to 1" % (first["center"], state["center"]))
    sys.exit(0)

chosen = [name for name, values in presets.items()
          if all(abs(values[s] - state[s]) < 1e-6 for s in SYMBOLS)]
if not chosen:
    sys.exit("FAIL: the host's ports %s match no preset" % state)
bank = base64.b64decode(re.search(r'<urn:corvanti:zindra#bank> """([^"]*)"""', state_text).group(1))
program = int(re.search(r'<urn:corvanti:zindra#program> "?(-?\d+)', state_text).group(1))
entry = 8 + 364 * program
values = struct.unpack("<12f", bank[entry + 8:entry + 8 + 48])
if any(abs(v - state[s]) > 1e-6 for v, s in zip(values, SYMBOLS)):
    sys.exit("FAIL: the effect's program %d holds %s, the ports %s" % (program, values, state))
print("preset: the host's ports and the effect hold \"%s\"" % chosen[0])
