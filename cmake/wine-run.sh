#!/bin/sh
# Runs a Windows test program under Wine, quietly, in the project's own prefix.
# Test runners start several programs at once; the first use of a prefix
# creates it, and two Wine processes creating the same prefix race and fail.
# So the prefix is made under a lock, once, before any program runs in it.
#
# Some machines' kernels run no 32-bit programs at all (their execve refuses
# i386 code). There Wine's 32-bit loader cannot start: the prefix is made by
# the 64-bit loader alone, 64-bit programs run as anywhere else, and a 32-bit
# program is not run: the script says why and answers 77, which the tests
# take as skipped (the test command counts and names them).
#
# usage: wine-run.sh PROGRAM [ARGS...] | wine-run.sh --runs-32-bit
: "${WINEPREFIX:=${HOME:-/root}/.wine-zindra}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

loader32=/usr/lib/wine/wine
loader64=/usr/lib/wine/wine64
runs32=0
"$loader32" --version >/dev/null 2>&1 && runs32=1
# `wine-run.sh --runs-32-bit`: only whether this machine runs 32-bit programs.
if [ "${1:-}" = --runs-32-bit ]; then
    [ "$runs32" = 1 ]
    exit
fi
if [ "$runs32" = 1 ]; then
    wine=wine
else
    wine=$loader64
    export WINELOADER="$loader64" WINEARCH=win64
    WINEPREFIX="$WINEPREFIX-64"
    # The machine type in the program's PE header: 014c is 32-bit x86.
    if [ -f "$1" ]; then
        header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
        machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')
        if [ "$machine" = "014c" ]; then
            echo "wine-run.sh: this machine's kernel runs no 32-bit programs: $(basename "$1") not run" >&2
            exit 77
        fi
    fi
fi

if [ ! -f "$WINEPREFIX/.zindra-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.zindra-ready" ]; then
            # A prefix left half-made by an interrupted run is made anew.
            rm -rf "$WINEPREFIX"
            "$wine" wineboot --init >/dev/null 2>&1 && wineserver --wait && touch "$WINEPREFIX/.zindra-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
    if [ ! -f "$WINEPREFIX/.zindra-ready" ]; then
        echo "wine-run.sh: could not create the Wine prefix $WINEPREFIX" >&2
        exit 1
    fi
fi
exec "$wine" "$@"
