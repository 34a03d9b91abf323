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
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" "$@"
