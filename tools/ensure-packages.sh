#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, but only those that are missing, so a prepared
# machine needs no network.
#   ensure-packages.sh run    what building and running the editor needs (./run)
#   ensure-packages.sh test   that and the test tools (./test)
#   ensure-packages.sh --list run|test   prints the list, one name a line, installs nothing
set -euo pipefail

# Building and running: the compiler and build tools; Qt's widgets with the OpenGL headers its
# CMake files ask for; libx11-dev for the status bar's lock keys; a Japanese font and
# qt6-translations-l10n (the toolkit's own Japanese texts, standard buttons and dialogs);
# libassimp-dev (the Open Asset Import Library) reads the formats of other 3D programs,
# lib3mf-dev (found through pkg-config) reads and writes 3MF and libmeshoptimizer-dev reduces
# dense models on import; qt6-l10n-tools (lupdate, lrelease), qt6-tools-dev (CMake's
# qt_add_translations) and qt6-tools-dev-tools keep and compile the English catalogue;
# libgif-dev, libwebp-dev and zlib1g-dev write the still and animated pictures (GIF, WebP, PNG
# and animated PNG); libseccomp-dev builds the system-call filter of the child that parses
# foreign files; qt6-image-formats-plugins lets Qt's image reader take WebP and TIFF reference
# images.
run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libx11-dev
              fonts-ipafont-gothic qt6-translations-l10n libassimp-dev lib3mf-dev
              libmeshoptimizer-dev qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools libgif-dev
              libwebp-dev zlib1g-dev libseccomp-dev qt6-image-formats-plugins)

# Testing, on top: GoogleTest and Google Benchmark; clang builds the fuzz targets (with its
# fuzzing runtime, below) and clang-format checks the tree's formatting; Xvfb, xauth and
# xdotool drive the window check; desktop-file-utils and appstream validate the desktop entry
# and metadata; libegl-dev, libegl-mesa0 and libgl1-mesa-dri (Mesa's llvmpipe) run the OpenGL
# peer benchmark; dpkg-dev (dpkg-shlibdeps), file and lintian build and check the package.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang clang-format xvfb xauth xdotool
               desktop-file-utils appstream libegl-dev libegl-mesa0 libgl1-mesa-dri dpkg-dev file
               lintian)

# clang's fuzzing and sanitizer runtimes come in a package named after clang's major version,
# with no unversioned name: the one that matches the clang installed (nothing before it is).
clang_runtime() {
    local major
    major=$(clang --version 2> /dev/null | sed -n 's/.*clang version \([0-9][0-9]*\)\..*/\1/p' |
            head -n 1)
    [ -n "$major" ] && echo "libclang-rt-$major-dev"
    return 0
}

usage() {
    echo "usage: ensure-packages.sh [--list] run|test" >&2
    exit 2
}

list=0
if [ "${1:-}" = "--list" ]; then
    list=1
    shift
fi
case "${1:-}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*) usage ;;
esac
purpose=$1

install_missing() {
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo_cmd=()
        [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
        "${sudo_cmd[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
            --no-install-recommends "${missing[@]}"
    fi
}

if [ "$list" -eq 1 ]; then
    printf '%s\n' "${packages[@]}"
    [ "$purpose" = test ] && clang_runtime
    exit 0
fi
install_missing "${packages[@]}"
if [ "$purpose" = test ]; then
    runtime=$(clang_runtime)
    [ -n "$runtime" ] || { echo "ensure-packages: clang does not say its version" >&2; exit 1; }
    install_missing "$runtime"
fi
