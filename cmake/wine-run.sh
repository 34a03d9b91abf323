#!/bin/sh
# Runs a Windows test program under Wine, quietly, in the project's own prefix.
# Test runners start several programs at once; the first use of a prefix
# creates it, and two Wine processes creating the same prefix race and fail.
# So the prefix is made under a lock, once, before any program runs in it.
: "${WINEPREFIX:=${HOME:-/root}/.wine-zindra}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/.zindra-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.zindra-ready" ]; then
            # A prefix left half-made by an interrupted run is made anew.
            rm -rf "$WINEPREFIX"
            wineboot --init >/dev/null 2>&1 && wineserver --wait && touch "$WINEPREFIX/.zindra-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
    if [ ! -f "$WINEPREFIX/.zindra-ready" ]; then
        echo "wine-run.sh: could not create the Wine prefix $WINEPREFIX" >&2
        exit 1
    fi
fi
exec wine "$@"
