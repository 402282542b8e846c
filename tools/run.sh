#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program with the given arguments.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/tools/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}" espeak-ng-data
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$top/build" --target sprechkit >/dev/null
exec "$top/build/sprechkit" "$@"
