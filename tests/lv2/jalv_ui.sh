#!/bin/sh
# The editor in jalv.gtk3 (Debian's jalv) on a virtual display, with a JACK
# server of its own on the dummy driver. A drag of "Center" and a click on
# "Spreadilate!" must reach the host's ports (read from a state jalv saves
# through its File menu); a preset chosen from jalv's Presets menu must move
# the editor's controls, and reach the effect (the saved bank's current
# program holds the preset's values). Leaves the editor's picture as
# jalv-editor.png in the given folder.
#
# usage: jalv_ui.sh BUNDLE PICTURE_DIR
set -eu
if [ -z "${ZINDRA_JALV_DISPLAY:-}" ]; then
    command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run not found: test skipped"; exit 77; }
    ZINDRA_JALV_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        sh "$0" "$@"
fi
bundle=$(readlink -f "$1")
pictures=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
pids=""
# One at a time, the last started first: jalv leaves the server, then the
# server takes its entry out of JACK's registry of servers in /dev/shm. A
# server stopped with a client still in it may leave the entry behind, and
# after eight of those no JACK server starts on the machine.
cleanup() {
    for pid in $pids; do
        kill "$pid" 2>/dev/null || continue
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    done
    [ -n "${ZINDRA_KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; import -window root "$pictures/jalv-failure.png" 2>/dev/null || true; cat "$work/jalv.log" 2>/dev/null | grep -v dconf || true; exit 1; }

mkdir "$work/lv2" && ln -s "$bundle" "$work/lv2/zindra.lv2"
export LV2_PATH="$work/lv2" ZINDRA_MESSAGE_LOG="$work/messages.log" HOME="$work"
export JACK_DEFAULT_SERVER="zindra-jalv-$$" JACK_NO_AUDIO_RESERVATION=1

jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 44100 -p 256 >"$work/jack.log" 2>&1 &
pids="$!"
jack_wait -w -t 10 >/dev/null 2>&1 || { cat "$work/jack.log"; fail "no JACK server"; }

${ZINDRA_LV2_HOST_PREFIX:-} jalv.gtk3 urn:corvanti:zindra >"$work/jalv.log" 2>&1 &
pids="$! $pids"
timeout 30 xdotool search --sync --name '^Zindra$' >/dev/null || fail "jalv showed no window"
# Without a window manager the toplevel sits at the origin, jalv's menu bar
# above the plug-in's area; the editor is the deepest window in it.
editor=$(xwininfo -root -tree | python3 "$here/deepest_window.py" Zindra)
[ -n "$editor" ] || fail "no editor window inside jalv's"
sleep 1

shot() { import -window root -crop "$1" "$2"; }
# The menus are jalv's own; the dialog takes typing once it has the focus.
save_state() {
    xdotool mousemove --sync 18 12 click 1 sleep 0.5 mousemove --sync 45 37 click 1
    dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Save State$' | tail -n 1)
    xdotool windowfocus --sync "$dialog" sleep 0.3 mousemove --sync 575 26 click 1
    xdotool type --delay 20 "$1"
    sleep 0.5
    # The dialog's "Save" button, at its lower right corner.
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    xdotool mousemove --sync --window "$dialog" $((WIDTH - 50)) $((HEIGHT - 25)) click 1
    for _ in $(seq 50); do [ -f "$1/state.ttl" ] && break; sleep 0.1; done
    [ -f "$1/state.ttl" ] || fail "jalv saved no state into $1"
    sleep 0.3
}

shot 508x366+0+0 "$pictures/jalv-editor.png"
echo "editor picture: $pictures/jalv-editor.png"

# The user drags "Center" to the right and switches "Spreadilate!" on.
xdotool mousemove --sync --window "$editor" 90 108 sleep 0.2 mousedown 1 \
    mousemove --window "$editor" 110 108 sleep 0.1 mousemove --window "$editor" 130 108 sleep 0.1 \
    mousemove --window "$editor" 150 108 sleep 0.1 mouseup 1 sleep 0.2 \
    mousemove --sync --window "$editor" 405 263 click 1
sleep 0.5
save_state "$work/dragged"
python3 "$here/jalv_state.py" dragged "$work/dragged/state.ttl" "$bundle/presets.ttl"

# The host applies the first preset of its menu.
shot 230x250+0+100 "$work/before.png"
xdotool mousemove --sync 68 12 click 1 sleep 0.5 mousemove --sync 120 88 click 1
sleep 1
shot 230x250+0+100 "$work/after.png"
moved=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${moved%% *}" -gt 500 ] || fail "the editor's controls did not move with the preset ($moved pixels)"
echo "preset: $moved pixels of the sliders' area changed"
save_state "$work/preset"
python3 "$here/jalv_state.py" preset "$work/preset/state.ttl" "$bundle/presets.ttl"
shot 508x366+0+0 "$pictures/jalv-editor-preset.png"

if [ -s "$ZINDRA_MESSAGE_LOG" ]; then cat "$ZINDRA_MESSAGE_LOG"; fail "the plug-in reported a problem"; fi
