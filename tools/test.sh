#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSPRECHKIT_TESTS=ON
cmake --build build

# Audio tests and benchmarks play on a private PulseAudio null sink; stopped again on every exit.
source tools/pulse.sh
if pulse_start; then
    trap pulse_stop EXIT
else
    echo "PulseAudio could not be started: what needs an audio device is skipped." >&2
fi

ctest --test-dir build --output-on-failure

# The parsers under libFuzzer with the sanitizers, briefly (tools/fuzz.sh SECONDS for a long run).
bash tools/fuzz.sh 15
