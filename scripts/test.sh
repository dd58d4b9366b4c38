#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure --no-tests=error -j2
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if command -v Xvfb >/dev/null; then scripts/e2e.sh build; fi
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON
scripts/fuzz.sh --short
