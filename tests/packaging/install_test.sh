#!/bin/sh
# Installs the build into a fresh prefix and runs the installed command as a
# user would: from an unrelated folder, which holds a library of the same name
# that must be ignored.
# usage: install_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/zindra lib/vst/zindra.so lib/vst/zindra_deep.so lib/lv2/zindra.lv2/manifest.ttl \
    lib/lv2/zindra.lv2/zindra-deep.ttl \
    lib/vst3/zindra.vst3/Contents/x86_64-linux/zindra.so share/doc/zindra/README.md \
    share/doc/zindra/LICENSE; do
    [ -f "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

mkdir "$work/elsewhere"
echo "not a library" >"$work/elsewhere/zindra.so"
cd "$work/elsewhere"
"$work/prefix/bin/zindra" info
