#!/bin/sh
# Makes the Windows .zip from the 64-bit tree and the 32-bit tree beside it,
# and checks that it holds both libraries, the VST 3 bundle with both
# Windows binaries, and the README.
# usage: zip_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work" >/dev/null
zip=$(ls "$work"/*.zip)
python3 - "$zip" <<'PY'
import sys, zipfile
names = [n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist()]
print("\n".join(sorted(names)))
missing = {"zindra.dll", "zindra64.dll", "zindra_deep.dll", "zindra_deep64.dll",
           "README.md", "LICENSE",
           "zindra.vst3/Contents/x86-win/zindra.vst3",
           "zindra.vst3/Contents/x86_64-win/zindra.vst3"} - set(names)
sys.exit("missing from the archive: " + ", ".join(sorted(missing)) if missing else 0)
PY
