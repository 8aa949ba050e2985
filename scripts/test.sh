#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite (with the
# Debian package built from the build and checked), the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a
# short time (FUZZ_SECONDS, default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== build and test"
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j2

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/build.sh build-asan -DMERIVANE_SANITIZE=ON -DMERIVANE_BENCH=OFF -DMERIVANE_PACKAGE=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2

echo "== fuzz"
bash fuzz/run.sh "${FUZZ_SECONDS:-5}"
