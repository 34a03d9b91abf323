#!/bin/sh
# The generated bundle: its Turtle validates against the LV2 schemas that
# lv2-dev installs (sord_validate), and lilv (lv2ls, lv2info) sees both
# plug-ins, each with its ports, presets and (Zindra only) UI.
#
# The library exports the two descriptors only.
#
# usage: bundle.sh BUNDLE
set -eu
bundle=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
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
export LV2_PATH="$work/lv2"
plugins=$(${ZINDRA_LV2_HOST_PREFIX:-} lv2ls | sort | tr '\n' ' ')
[ "$plugins" = "urn:corvanti:zindra urn:corvanti:zindra-deep " ] || fail "lv2ls lists: $plugins"

# URI, control inputs, switches among them, ports with a unit, presets (two
# of their names), latency, UI.
check() {
    info="info-${1##*:}.txt"
    ${ZINDRA_LV2_HOST_PREFIX:-} lv2info "$1" >"$info" 2>&1 || { cat "$info"; fail "lv2info $1"; }
    python3 "$here/bundle_info.py" "$info" "$@" || { cat "$info"; exit 1; }
}
check urn:corvanti:zindra 12 7 0 10 "Vocal Out - Mode 1" "Isolate Vocal (HR)" 8192 \
    urn:corvanti:zindra#editor
check urn:corvanti:zindra-deep 8 1 7 6 "Deep Removal" "Isolate With Reverb" 4096 \
    urn:corvanti:zindra-deep#editor
