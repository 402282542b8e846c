# Sourced by the tools: installs the Debian packages the project needs, only those that are missing.

BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libespeak-ng-dev libsoxr-dev
                libsndfile1-dev libopus-dev libogg-dev libtag1-dev qt6-translations-l10n libxkbcommon-dev
                libgl1-mesa-dev fonts-dejavu-core libqt6svg6 libpoppler-qt6-dev libzip-dev
                libxcb1-dev libxcb-keysyms1-dev)
TEST_PACKAGES=(googletest libgtest-dev clang-format espeak-ng pulseaudio pulseaudio-utils xvfb xauth xdotool sox xclip
               x11-apps qpdf x11-utils dbus-daemon trayer appstream desktop-file-utils)
# cpack -G DEB reads the shared libraries' dependencies with dpkg-shlibdeps.
PACKAGE_PACKAGES=(dpkg-dev file)
# The export benchmarks time the program against shell pipelines into these encoders.
BENCH_PACKAGES=(fortunes-de espeak-ng xvfb xauth libxcb1-dev pulseaudio pulseaudio-utils lame vorbis-tools opus-tools flac)
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}
