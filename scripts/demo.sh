#!/bin/sh
# Installs what is missing, builds the Linux plug-in and the `zindra` command,
# and shows what the plug-in library reports to a host.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset linux
cmake --build --preset linux -j "$(nproc 2>/dev/null || echo 2)"
echo
build/linux/bin/zindra info --plugin build/linux/zindra.so
