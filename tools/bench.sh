#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; each prints "name: value unit" lines.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPRECHKIT_TESTS=OFF -DSPRECHKIT_BENCH=ON >/dev/null
cmake --build build-bench >/dev/null

for bench in build-bench/bench/bench_*; do
    [[ -x $bench ]] && "$bench"
done
