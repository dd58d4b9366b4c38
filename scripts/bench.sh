#!/usr/bin/env bash
# Builds the benchmarks in an optimised build (-O2: g++ 12 gives false -Wrestrict
# warnings at -O3) and runs them all; arguments go to the benchmark program
# (e.g. --benchmark_repetitions=5). VELMORA_BENCH_BUILD names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${VELMORA_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target velmora_bench
QT_QPA_PLATFORM=offscreen "$build/bin/velmora_bench" "$@"
