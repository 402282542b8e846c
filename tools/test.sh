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

# The installed program: installed into a temporary prefix, run without a display as a fresh user with a WAV
# target. It must render the file, keep its dictionary in the user's data folder (seeded from the installed one)
# and register the .tts association for the installed program file.
install_dir=$(mktemp -d /tmp/sprechkit-install.XXXXXX)
cmake --install build --prefix "$install_dir/usr" >/dev/null
home="$install_dir/home"
mkdir -p "$home"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_DATA_HOME="$home/data" \
    XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home" \
    "$install_dir/usr/bin/sprechkit" "Guten Tag" "?$install_dir/gruss" 2>"$install_dir/stderr" || {
    cat "$install_dir/stderr" >&2
    echo "install check: the installed program failed" >&2
    exit 1
}
install_fail() {
    echo "install check: $1" >&2
    exit 1
}
(($(stat -c %s "$install_dir/gruss.wav") > 44)) || install_fail "no audio in gruss.wav"
cmp -s "$home/data/sprechkit/sprechkit.wrd" "$install_dir/usr/share/sprechkit/sprechkit.wrd" ||
    install_fail "the dictionary was not seeded into the data folder"
grep -qF "Exec=\"$install_dir/usr/bin/sprechkit\" %f" "$home/data/applications/sprechkit-tts.desktop" ||
    install_fail "no .tts association for the installed program"
[[ $(ls "$install_dir/usr/bin") == sprechkit ]] || install_fail "files were written beside the installed program"
rm -rf "$install_dir"
echo "install check: the installed program rendered a WAV file and keeps its files in the user's data folder"
