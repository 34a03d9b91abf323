"""Reads `xwininfo -root -tree` and prints the id of the deepest window inside
the top-level window of the given name."""
import re
import sys

name, inside, depth, best = sys.argv[1], None, 0, (None, -1)
for line in sys.stdin:
    m = re.match(r"^(\s*)(0x[0-9a-f]+) (.*)$", line)
    if not m:
        continue
    indent, window, rest = len(m.group(1)), m.group(2), m.group(3)
    if inside is None:
        if rest.startswith('"%s"' % name):
            inside = indent
        continue
    if indent <= inside:
        break
    if indent > best[1]:
        best = (window, indent)
if best[0]:
    print(best[0])
