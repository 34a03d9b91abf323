#!/bin/sh
# Runs a test program on a virtual X display of its own; exits 77 (skipped)
# when there is no xvfb-run. The server must not reset when a test closes its
# last connection, or the next window of the same test finds no display.
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run not found: test skipped"
    exit 77
fi
ZINDRA_DISPLAY_PROMISED=1
export ZINDRA_DISPLAY_PROMISED
server_args="-screen 0 1024x768x24 -nolisten tcp -noreset"

case "$1" in
    *wine-run.sh)
        # Wine's desktop belongs to the display its server started on, so the
        # window tests get a prefix of their own whose server lives exactly
        # as long as this display.
        WINEPREFIX="${HOME:-/root}/.wine-zindra-display"
        export WINEPREFIX
        exec xvfb-run -a -s "$server_args" sh -c \
            'wineserver -k 2>/dev/null; "$@"; rc=$?; wineserver -k 2>/dev/null; exit $rc' sh "$@"
        ;;
esac
exec xvfb-run -a -s "$server_args" "$@"
