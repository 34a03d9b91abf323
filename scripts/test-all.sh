#!/bin/sh
# Installs what is missing, builds every target and runs every test:
# Linux (zindra.so), Windows 32-bit and 64-bit (zindra.dll, zindra64.dll,
# tests under Wine), Linux under AddressSanitizer + UndefinedBehaviorSanitizer,
# the threaded tests under ThreadSanitizer (the stress test for 60 s), and the
# fuzz targets (60 s each, clang). The picture programs of tools/ run after
# each build's tests; they are no tests, but a failing one fails the run.
# The packager builds (scripts/packager-builds.sh: Release with -march=x86-64-v3,
# and with -mavx2 -mfma) count as one step, as the format check does.
# Tests that cannot run on this machine (no display, or a kernel that runs no
# 32-bit programs for the 32-bit Windows build under Wine) answer 77 and are
# skipped: they count neither as passed nor as failed and are named in a line
# "N skipped: ..." before the last.
# Ends with one line: "N passed, N failed".
set -u
cd "$(dirname "$0")/.."

./scripts/install-deps.sh || { echo "0 passed, 1 failed"; exit 1; }

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
skipped=0
skipped_names=""

echo "=== format ==="
if ./scripts/check-format.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

echo "=== packager builds ==="
if ./scripts/packager-builds.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

for preset in linux win32 win64 asan tsan fuzz; do
    echo "=== $preset ==="
    if ! cmake --preset "$preset" >"build-$preset.configure.log" 2>&1; then
        cat "build-$preset.configure.log"
        echo "FAILED: configure $preset"
        failed=$((failed + 1))
        continue
    fi
    rm -f "build-$preset.configure.log"
    if ! cmake --build --preset "$preset" -j "$jobs"; then
        echo "FAILED: build $preset"
        failed=$((failed + 1))
        continue
    fi
    log="build/$preset/ctest.log"
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$summary" ]; then
        echo "FAILED: no test summary for $preset"
        failed=$((failed + 1))
        continue
    fi
    preset_failed=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    preset_total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    preset_skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log")
    skipped=$((skipped + preset_skipped))
    if [ "$preset_skipped" -gt 0 ]; then
        skipped_names="$skipped_names $preset:[$(grep -E '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log" |
            sed -E 's/^[[:space:]]*[0-9]+ - (.*) \(Skipped\)$/\1/' | tr '\n' ' ' | sed 's/ $//')]"
    fi
    passed=$((passed + preset_total - preset_failed - preset_skipped))
    failed=$((failed + preset_failed))
    if [ "$preset" = win32 ] && ! sh cmake/wine-run.sh --runs-32-bit; then
        echo "pictures win32: not drawn: this machine's kernel runs no 32-bit programs"
    elif ninja -C "build/$preset" -t targets all 2>/dev/null | grep -q '^pictures:'; then
        if ! cmake --build --preset "$preset" --target pictures; then
            echo "FAILED: pictures $preset"
            failed=$((failed + 1))
        fi
    fi
done

if [ "$skipped" -gt 0 ]; then
    echo "$skipped skipped (they cannot run on this machine):$skipped_names"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
