#!/bin/sh
# Builds as packagers do, with instruction sets of their own on the command
# line: CXXFLAGS='-O2 -march=x86-64-v3' (the baseline of current enterprise
# distributions) and CXXFLAGS='-O2 -mavx2 -mfma', Release, in
# build/packager-v3 and build/packager-avx2. Each builds the plug-in, the
# vector toolkit's and the engine's tests and runs them, the SSE2 cap too: the files of every
# vector set keep their own lane width and every set gives the same bits.
# Ends with a ctest-style summary over both builds; a build that fails counts
# as one failed test.
set -u
cd "$(dirname "$0")/.." || exit 1

targets="unit_dsp unit_engine zindra"
tests='^(unit_dsp|unit_engine|vector_code_cap)$'
jobs=2

passed=0
failed=0

build() {
    name=$1
    flags=$2
    dir="build/packager-$name"
    echo "=== packager-$name: CXXFLAGS='$flags' ==="
    # CXXFLAGS counts only when the cache is made.
    rm -f "$dir/CMakeCache.txt"
    mkdir -p "$dir"
    if ! CXXFLAGS="$flags" cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        >"$dir/configure.log" 2>&1; then
        cat "$dir/configure.log"
        echo "FAILED: configure packager-$name"
        failed=$((failed + 1))
        return
    fi
    # shellcheck disable=SC2086
    if ! cmake --build "$dir" -j "$jobs" --target $targets; then
        echo "FAILED: build packager-$name"
        failed=$((failed + 1))
        return
    fi
    ctest --test-dir "$dir" -R "$tests" -j "$jobs" --output-on-failure 2>&1 | tee "$dir/ctest.log"
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$dir/ctest.log" |
        tail -n 1)
    total=$(echo "$summary" | sed -nE 's/.* failed out of ([0-9]+).*/\1/p')
    if [ -z "$total" ] || [ "$total" -eq 0 ]; then
        echo "FAILED: no tests ran in packager-$name"
        failed=$((failed + 1))
        return
    fi
    build_failed=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/')
    passed=$((passed + total - build_failed))
    failed=$((failed + build_failed))
}

build v3 '-O2 -march=x86-64-v3'
build avx2 '-O2 -mavx2 -mfma'

total=$((passed + failed))
echo "=== packager builds: both ==="
echo "$((total > 0 ? 100 * passed / total : 0))% tests passed, $failed tests failed out of $total"
[ "$failed" -eq 0 ]
