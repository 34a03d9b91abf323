#!/bin/sh
# Makes the .deb, checks what it holds and runs the command unpacked from it.
# usage: deb_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >/dev/null
deb=$(ls "$work"/*.deb)
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Architecture|Depends):'
dpkg-deb --contents "$deb" >"$work/contents"
for file in ./usr/bin/zindra ./usr/lib/vst/zindra.so ./usr/lib/vst/zindra_deep.so ./usr/lib/lv2/zindra.lv2/manifest.ttl \
    ./usr/lib/vst3/zindra.vst3/Contents/x86_64-linux/zindra.so \
    ./usr/share/doc/zindra/README.md; do
    grep -q " $file\$" "$work/contents" || { echo "not in the package: $file"; exit 1; }
done
dpkg-deb --extract "$deb" "$work/root"
cd "$work"
"$work/root/usr/bin/zindra" info
