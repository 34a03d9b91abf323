"""Checks what lv2info says of one of the bundle's plug-ins, and the units
its data file gives its control inputs (read with sordi: lv2info does not
show units).

usage: bundle_info.py INFO.txt URI CONTROLS SWITCHES UNITS PRESETS FIRST_PRESET
                      LAST_PRESET LATENCY UI_URI|""
"""
import re
import subprocess
import sys

info, uri = sys.argv[1], sys.argv[2]
controls, switches, units, presets = (int(a) for a in sys.argv[3:7])
first_preset, last_preset, latency, ui = sys.argv[7], sys.argv[8], int(sys.argv[9]), sys.argv[10]
text = open(info).read()


def fail(message):
    sys.exit("FAIL: %s: %s" % (uri, message))


ports = re.split(r"\n\tPort \d+:", text)[1:]
kinds = {}
for p in ports:
    types = tuple(sorted(re.findall(r"lv2core#(\w+Port)", p)))
    kinds[types] = kinds.get(types, 0) + 1
want = {("AudioPort", "InputPort"): 2, ("AudioPort", "OutputPort"): 2,
        ("ControlPort", "InputPort"): controls, ("ControlPort", "OutputPort"): 1}
if kinds != want:
    fail("ports %s, expected %s" % (kinds, want))
latency_port = [p for p in ports if re.search(r"Symbol:\s+latency\n", p)]
if not latency_port or "reportsLatency" not in latency_port[0]:
    fail("no latency port reporting latency")
maximum = re.search(r"Maximum:\s+([\d.]+)", latency_port[0])
if not maximum or float(maximum.group(1)) != latency:
    fail("the latency port's maximum is not %d" % latency)
toggled = sum(1 for p in ports if "lv2core#toggled" in p)
if toggled != switches:
    fail("%d switches marked toggled, %d expected" % (toggled, switches))

section = text.split("Presets:", 1)[1].split("\n\n", 1)[0]
names = sorted(line.strip() for line in section.splitlines() if line.strip())
if len(names) != presets or first_preset not in names or last_preset not in names:
    fail("presets %s, the %d programs expected" % (names, presets))

if ui:
    if ui not in text or "X11UI" not in text:
        fail("no X11 UI")
elif "UI:" in text:
    fail("a UI where the plug-in has none")

data = [u for u in re.findall(r"file://\S+\.ttl", text) if not u.endswith("/manifest.ttl")]
dump = subprocess.run(["sordi", data[0]], capture_output=True, text=True, check=True).stdout
given = [line for line in dump.splitlines()
         if "<http://lv2plug.in/ns/extensions/units#unit>" in line and "units#frame" not in line]
if len(given) != units:
    fail("%d control inputs with a unit, %d expected" % (len(given), units))

print("lv2info %s: %d control inputs (%d toggled, %d with a unit), latency output up to %d, "
      "%d presets, %s" % (uri, controls, switches, units, latency, presets,
                          "X11 UI" if ui else "no UI"))
