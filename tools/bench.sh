#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; each prints "name: value unit" lines.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPRECHKIT_TESTS=OFF -DSPRECHKIT_BENCH=ON >/dev/null
cmake --build build-bench >/dev/null

# Audio tests and benchmarks play on a private PulseAudio null sink; stopped again on every exit.
source tools/pulse.sh
if pulse_start; then
    trap pulse_stop EXIT
else
    echo "PulseAudio could not be started: what needs an audio device is skipped." >&2
fi

for bench in build-bench/bench/bench_*; do
    if [[ -f $bench && -x $bench ]]; then
        "$bench"
    fi
done
