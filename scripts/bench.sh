#!/usr/bin/env bash
# Builds the benchmarks in an optimised build (-O2: g++ 12 gives false -Wrestrict
# warnings at -O3) and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target velmora_bench
QT_QPA_PLATFORM=offscreen build-bench/bin/velmora_bench "$@"
