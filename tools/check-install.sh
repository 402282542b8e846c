#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed program without a display, as a fresh user,
# with a WAV target. It must render the file, keep its dictionary in the user's data folder (seeded from the
# installed one), tag it through the installed plugin and register the .tts association for the installed program
# file.
# Usage: check-install.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
install_dir=$(mktemp -d /tmp/sprechkit-install.XXXXXX)
cmake --install "$build" --prefix "$install_dir/usr" >/dev/null
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
# The tags come from the installed tag plugin: without it the file would be delivered untagged.
grep -q "Sprechkit" "$install_dir/gruss.wav" || install_fail "no tags in gruss.wav (the tag plugin was not loaded)"
rm -rf "$install_dir"
echo "install check: the installed program rendered a WAV file and keeps its files in the user's data folder"
