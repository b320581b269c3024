#!/usr/bin/env bash
# Builds the benchmarks natively in Release (no sanitizers) and runs them.
#   tools/bench.sh [benchmark filter regex]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZAVOTRA_SANITIZE=OFF -DZAVOTRA_FUZZ=OFF -DZAVOTRA_BENCH=ON >/dev/null
cmake --build "$root/build/bench" -j 2
for b in "$root"/build/bench/tests/bench/*_bench; do
  [ -x "$b" ] || continue
  "$b" --benchmark_filter="${1:-.}"
done
