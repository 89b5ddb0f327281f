#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  juce-modules-source
  libfreetype-dev libfontconfig1-dev libx11-dev libxext-dev libxinerama-dev
  libxrandr-dev libxcursor-dev libxcomposite-dev libcurl4-gnutls-dev
  libgl-dev libegl-dev libopengl-dev libgl1-mesa-dri libegl-mesa0 mesa-utils
  zlib1g-dev libpng-dev libjpeg-dev libtiff-dev libopenjp2-7-dev libraw-dev libexif-dev
  libopencv-core-dev libopencv-imgproc-dev
  libpotrace-dev libexpat1-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth x11-utils imagemagick fonts-dejavu-core locales desktop-file-utils
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

export DEBIAN_FRONTEND=noninteractive
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Number-text tests also run under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true
fi
