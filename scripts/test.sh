#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. --sanitize runs them under ASan + UBSan
# (the sanitizer options are set per test in tests/CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-asan
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 300
