#!/bin/sh
# The programs that need only the engine (or the toolkit) must not carry the
# editor or the display: fails when one of them needs libX11 at run time or
# holds code of the editor or its widgets.
#
# usage: no_editor_no_x11.sh PROGRAM...
set -eu
failed=0
for program in "$@"; do
    if readelf -d "$program" | grep -q 'NEEDED.*libX11'; then
        echo "FAIL: $program needs libX11"
        failed=1
    fi
    if nm -C --defined-only "$program" | grep -qE ' (editor|gui)::'; then
        echo "FAIL: $program holds editor or widget code:"
        nm -C --defined-only "$program" | grep -E ' (editor|gui)::' | head -n 5
        failed=1
    fi
    [ "$failed" -eq 1 ] || echo "ok: $(basename "$program")"
done
exit "$failed"
