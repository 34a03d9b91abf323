#!/bin/sh
# Installs what is missing, builds the Linux plug-in and the `zindra` command,
# and runs the demo: a mix made from scratch, processed with every factory
# program, with WAV files, spectrum pictures and a table of what each
# program kept. The files go to ./zindra-demo (or the folder given).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset linux
cmake --build --preset linux -j "$(nproc 2>/dev/null || echo 2)"
echo
build/linux/bin/zindra demo "${1:-zindra-demo}"
