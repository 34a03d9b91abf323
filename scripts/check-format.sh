#!/bin/sh
# Fails when a tracked C++ file differs from what clang-format makes of it
# (the style is .clang-format at the top of the tree). Fix with:
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
# shellcheck disable=SC2086
if clang-format --dry-run --Werror $files; then
    echo "format: $(echo "$files" | wc -l) files as clang-format writes them"
else
    echo "format: the files above drift from .clang-format" >&2
    exit 1
fi
