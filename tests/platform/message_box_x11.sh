#!/bin/sh
# The message box on a real X server: it appears as a window, carries the
# text, and returns once the user presses Enter.
#   message_box_x11.sh SHOW_MESSAGE_PROGRAM [SCREENSHOT.png]
set -u
program=$1
shot=${2:-}
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done

display=":$((90 + $$ % 100))"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

unset ZINDRA_MESSAGE_LOG
out=$(mktemp)
"$program" "E5 - Not a valid Zindra bank." >"$out" 2>&1 &
shown=$!

window=""
for _ in $(seq 50); do
    window=$(xdotool search --name '^Error$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "FAIL: no message window appeared"
    kill $shown 2>/dev/null
    exit 1
fi
sleep 0.3
[ -n "$shot" ] && command -v import >/dev/null 2>&1 && import -window root "$shot" 2>/dev/null

if ! kill -0 $shown 2>/dev/null; then
    echo "FAIL: the call returned before the user answered"
    exit 1
fi
xdotool key --window "$window" Return
for _ in $(seq 50); do kill -0 $shown 2>/dev/null || break; sleep 0.1; done
if kill -0 $shown 2>/dev/null; then
    echo "FAIL: Enter did not close the message"
    kill $shown
    exit 1
fi
wait $shown
grep -q closed "$out" || { echo "FAIL: program did not finish"; cat "$out"; exit 1; }
echo "ok: message shown and closed with Enter"
