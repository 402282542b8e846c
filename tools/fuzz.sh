#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz, and runs each for SECONDS (default 60), starting from its seeds in tests/fuzz/corpus/<target>.
# Inputs found on the way are kept in build-fuzz/corpus/<target>; a failing input is saved in
# build-fuzz/findings/ and the script exits non-zero. Prints "<target>: N runs" per target.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
source tools/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSPRECHKIT_TESTS=OFF \
    -DSPRECHKIT_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzzers >/dev/null

# The dictionary targets write a file per run: keep it in memory where there is room.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi

top=$PWD
failed=0
mkdir -p build-fuzz/findings
for fuzzer in "$top"/build-fuzz/fuzz/fuzz_*; do
    name=$(basename "$fuzzer")
    # Absolute paths: a target may change its current folder.
    corpus=$top/build-fuzz/corpus/$name
    mkdir -p "$corpus"
    log=$top/build-fuzz/findings/$name.log
    if "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$top/build-fuzz/findings/$name-" "$corpus" "$top/tests/fuzz/corpus/$name" >"$log" 2>&1; then
        runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
        echo "$name: ${runs:-?} runs in ${seconds} s"
    else
        echo "$name: FAILED, see $log" >&2
        grep -E "ERROR|fuzz check failed|SUMMARY" "$log" | head -5 >&2 || true
        failed=1
    fi
done
exit "$failed"
