#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. --sanitize runs them under ASan + UBSan
# (the sanitizer options are compiled into the test programs). Further arguments go to ctest,
# for example: scripts/test.sh -R Profile
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
dir=build
build_args=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  build_args=(--sanitize)
  shift
fi
scripts/build.sh "${build_args[@]}"
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 300 "$@"
