#!/bin/sh
# Runs a Windows test program under Wine, quietly, in the project's own prefix.
: "${WINEPREFIX:=${HOME:-/root}/.wine-zindra}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
