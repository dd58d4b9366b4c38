#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang 14 and runs each one for
# a bounded time over a copy of its seed corpus.
#   scripts/fuzz.sh --short      5 s per target (part of scripts/test.sh)
#   scripts/fuzz.sh [SECONDS]    long run, 180 s per target by default
# Build folder: $VELMORA_FUZZ_BUILD (default build-fuzz); findings go to
# <build>/findings/<target>/ and the run stops at the first one.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=180
[ "${1:-}" = "--short" ] && seconds=5
[[ "${1:-}" =~ ^[0-9]+$ ]] && seconds=$1
build=${VELMORA_FUZZ_BUILD:-build-fuzz}

cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build"

for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  work="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$work" "$findings"
  cp -n "$seeds"* "$work"/
  echo "fuzz_$name: ${seconds}s"
  log="$build/fuzz_$name.log"
  "$build/fuzz_$name" "$work" -max_total_time="$seconds" -rss_limit_mb=1024 \
    -max_len=4096 -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1 || true
  grep -E '^(#[0-9]+[[:space:]]+DONE|==[0-9]+==ERROR|SUMMARY)' "$log" || true
  if [ -n "$(ls -A "$findings")" ] || ! grep -q '^Done ' "$log"; then
    echo "fuzz_$name failed or found a crash: $log, $findings" >&2
    exit 1
  fi
done
