#!/usr/bin/env bash
# Installs the Debian packages the build needs, but only those that are missing, so a prepared
# machine needs no network.
set -euo pipefail
# clang and libclang-rt-14-dev (libFuzzer and clang's sanitizer runtimes) build the fuzz targets;
# clang-format checks the tree's formatting; qt6-translations-l10n carries the toolkit's own
# Japanese texts (standard buttons and dialogs); xdotool drives the window check;
# desktop-file-utils and appstream validate the installed desktop entry and metadata;
# libassimp-dev (the Open Asset Import Library) reads the formats of other 3D programs; lib3mf-dev
# (found through pkg-config) reads and writes 3MF and libmeshoptimizer-dev reduces dense models
# on import; libegl-dev, libegl-mesa0 and libgl1-mesa-dri (Mesa's llvmpipe) run the OpenGL peer
# benchmark; qt6-l10n-tools (lupdate, lrelease), qt6-tools-dev (CMake's qt_add_translations) and
# qt6-tools-dev-tools keep and compile the English catalogue; libseccomp-dev builds the system-call
# filter of the child that parses foreign files.
packages=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev libgl-dev libgtest-dev
          libgmock-dev libbenchmark-dev libx11-dev fonts-ipafont-gothic xvfb xauth
          clang-format qt6-translations-l10n xdotool desktop-file-utils appstream libassimp-dev
          pkg-config lib3mf-dev libmeshoptimizer-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
          qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools libseccomp-dev)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
