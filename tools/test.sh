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

# The installed program, from a temporary prefix.
bash tools/check-install.sh build

# The same tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of their own.
# GCC's "undefined" leaves out float-cast-overflow, so it is named; no recovery, so any report ends its test with
# a failure and fails the run.
SANITIZE="-fsanitize=address,undefined -fsanitize=float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSPRECHKIT_TESTS=ON \
    "-DCMAKE_CXX_FLAGS=$SANITIZE" "-DCMAKE_EXE_LINKER_FLAGS=$SANITIZE"
cmake --build build-asan
ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -E '^(format|layers)$'

# The parsers under libFuzzer with the sanitizers, briefly (tools/fuzz.sh SECONDS for a long run).
bash tools/fuzz.sh 15
