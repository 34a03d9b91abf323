#!/bin/sh
# Zindra or Zindra Deep (whichever the library holds) in Ardour 7, headless.
# The scanner must report its identity and pins; a session with the plug-in on
# a stereo track must export the audio aligned with the input (Ardour
# compensates the reported latency), at the level `zindra process` gives for
# the same program (Zindra: one of each frame size; Zindra Deep: isolating
# and removing), and, with its dry setting ("Humidity" or "Mix" 0), with the
# same samples as the command's result. The program's values reach the
# plug-in as parameters, as `zindra params` lists them: the same state a
# program change gives (Zindra Deep's LV2 ports take them in their units).
#
# With an LV2 bundle the session takes the plug-in from the bundle by its URI
# instead (Ardour reads the latency from its latency port); with a VST 3
# bundle, Ardour's VST 3 scanner must report it first, and the session takes
# it by name. The rest is alike; ZINDRA_LIBRARY is the VST 2 library the
# command runs, against which every format is compared.
#
# usage: ardour.sh ZINDRA_COMMAND ZINDRA_LIBRARY [LV2_BUNDLE | VST3_BUNDLE]
set -eu
zindra=$1
library=$(readlink -f "$2")
bundle=${3:+$(readlink -f "$3")}
here=$(cd "$(dirname "$0")" && pwd)
scanner=/usr/lib/ardour7/ardour-vst-scanner
vst3_scanner=/usr/lib/ardour7/ardour-vst3-scanner

work=$(mktemp -d)
[ -n "${ZINDRA_KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
# Ardour keeps its caches and settings under these: all inside the work folder.
export HOME="$work" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export LXVST_PATH="$(dirname "$library")"
export ZINDRA_MESSAGE_LOG="$work/messages.log"

fail() { echo "FAIL: $*"; exit 1; }

effect=$("$zindra" info --plugin "$library" | sed -n 's/^Name: *//p')
case "$effect" in
    Zindra)
        id=1515272014 controls=12 uri=urn:corvanti:zindra ;;
    "Zindra Deep")
        id=1515272004 controls=8 uri=urn:corvanti:zindra-deep ;;
    *) fail "the library holds no effect this test knows: '$effect'" ;;
esac
export ZINDRA_PLUGIN="$effect"

if [ -n "$bundle" ] && [ "${bundle%.vst3}" != "$bundle" ]; then
    mkdir "$work/vst3" && ln -s "$bundle" "$work/vst3/zindra.vst3"
    export VST3_PATH="$work/vst3" ZINDRA_PLUGIN_TYPE=VST3
    LD_LIBRARY_PATH=/usr/lib/ardour7 "$vst3_scanner" -f "$work/vst3/zindra.vst3" >"$work/scan.log" 2>&1 || true
    record=$(find "$XDG_CACHE_HOME" -name '*.v3i' | head -n 1)
    [ -n "$record" ] || { cat "$work/scan.log"; fail "the VST 3 scanner wrote no record"; }
    for attribute in "name=\"$effect\"" 'vendor="Corvanti"' 'category="Fx"' 'n_inputs="2"' \
                     'n_outputs="2"' 'n_midi_inputs="0"'; do
        grep -q "$attribute" "$record" || { cat "$record"; fail "scanner record lacks $attribute"; }
    done
    echo "VST 3 scanner: $(grep -o 'name="[^"]*" vendor="[^"]*" category="[^"]*"' "$record"), 2 in, 2 out"
elif [ -n "$bundle" ]; then
    mkdir "$work/lv2" && ln -s "$bundle" "$work/lv2/zindra.lv2"
    export LV2_PATH="$work/lv2" ZINDRA_PLUGIN_TYPE=LV2 ZINDRA_PLUGIN=$uri
else
    # The scanner: its exit status says nothing; its cache record says it all.
    LD_LIBRARY_PATH=/usr/lib/ardour7 "$scanner" -f "$library" >"$work/scan.log" 2>&1 || true
    record=$(find "$XDG_CACHE_HOME" -name '*.v2i' | head -n 1)
    [ -n "$record" ] || { cat "$work/scan.log"; fail "the scanner wrote no record"; }
    for attribute in "name=\"$effect\"" 'creator="Corvanti"' "id=\"$id\"" 'n_inputs="2"' \
                     'n_outputs="2"' 'is_instrument="0"' 'can_process_replace="1"' 'has_editor="1"'; do
        grep -q "$attribute" "$record" || { cat "$record"; fail "scanner record lacks $attribute"; }
    done
    echo "scanner: $(grep -o 'name="[^"]*" creator="[^"]*"' "$record"), ID $id, 2 in, 2 out, editor"
fi

python3 "$here/ardour_test_signal.py" "$work/in.wav"
frames=$(python3 -c "import wave,sys; print(wave.open(sys.argv[1]).getnframes())" "$work/in.wav")

# Ardour's export of a session. On some machines, under load, Ardour's export
# now and then corrupts its own heap (it aborts with "double free or
# corruption" freeing its export channel's buffer, its file cut short or
# holding garbage; an Ardour build of an earlier, known-good plug-in does the
# same) or hangs. Such a run says nothing of the plug-in: it is made again, up
# to three times, and each failed run is named. A plug-in that misbehaves
# fails the comparisons that follow, whichever run made the file.
export_session() {
    for attempt in 1 2 3; do
        rm -f "$work/$1.wav"
        status=0
        timeout 120 ardour7-export -b float -o "$work/$1.wav" "$work/$1" zindra \
            >"$work/$1.export.log" 2>&1 || status=$?
        if [ "$status" -eq 0 ] && [ -s "$work/$1.wav" ] &&
           ! grep -qE 'corruption|double free|Aborted' "$work/$1.export.log"; then
            cat "$work/$1.export.log" >>"$work/$1.log"
            return 0
        fi
        echo "$1: Ardour's export failed (run $attempt, status $status):" \
             "$(grep -m 1 -E 'corruption|double free|Aborted' "$work/$1.export.log")"
    done
    cat "$work/$1.log" "$work/$1.export.log"
    fail "$1: no export in three runs"
}

# One session: ZINDRA_PARAMS from `zindra params`, the audio, an export. An
# Ardour run that hangs is stopped, so that its log shows where.
run_session() {
    name=$1
    shift
    # Each value as the host takes it: 0..1, or for ports in units (Zindra
    # Deep's LV2 ports) the editor's reading, a switch's on or off as 1 or 0.
    in_units=0
    [ "${ZINDRA_PLUGIN_TYPE:-}" = LV2 ] && [ "$effect" = "Zindra Deep" ] && in_units=1
    params=$("$zindra" params --plugin "$library" "$@" | python3 -c "
import sys
units = sys.argv[1] == '1'
def value(line):
    if not units:
        return line[19:].split()[0]
    reading = line[29:].split()[0]
    return {'on': '1', 'off': '0'}.get(reading, reading)
print(' '.join(value(line) for line in sys.stdin if line[:2].strip().isdigit()))" "$in_units")
    SESSION_DIR="$work/$name" SESSION_RATE=44100 ZINDRA_PARAMS="$params" \
        timeout 120 ardour7-lua "$here/ardour_session.lua" >"$work/$name.log" 2>&1 || true
    grep -q '^saved' "$work/$name.log" || { cat "$work/$name.log"; fail "$name: no session"; }
    grep -q "^parameters $controls\$" "$work/$name.log" || { cat "$work/$name.log"; fail "$name: not $controls parameters"; }
    python3 "$here/ardour_add_audio.py" "$work/$name/zindra.ardour" "$work/in.wav" "$frames" 44100
    export_session "$name"
    "$zindra" process --plugin "$library" "$work/in.wav" "$work/$name-command.wav" --bits float "$@" >/dev/null
}

if [ "$effect" = Zindra ]; then
    run_session isolate --program "Isolate Vocal"
    run_session removal --program "Vocal Out - Mode 1 (HR)"
    run_session dry --program "Vocal Out - Mode 1" --set Humidity=0
else
    run_session isolate --program "Isolate Voice"
    run_session removal --program "Deep Removal"
    run_session dry --program "Deep Removal" --set Mix=0
fi
python3 "$here/ardour_compare.py" level "$work/isolate.wav" "$work/isolate-command.wav"
python3 "$here/ardour_compare.py" level "$work/removal.wav" "$work/removal-command.wav"
python3 "$here/ardour_compare.py" samples "$work/dry.wav" "$work/dry-command.wav"
if [ -s "$ZINDRA_MESSAGE_LOG" ]; then cat "$ZINDRA_MESSAGE_LOG"; fail "the plug-in reported a problem"; fi
