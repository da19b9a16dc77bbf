#!/usr/bin/env bash
# Builds and runs every benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
for b in build/bench/bench_*; do
  [ -x "$b" ] && "$b" --benchmark_counters_tabular=true "$@"
done
