#!/usr/bin/env bash
# Builds the benchmarks in an optimised build and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target velmora_bench
QT_QPA_PLATFORM=offscreen build-bench/bin/velmora_bench "$@"
