#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests and the program need,
# skipping what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-multimedia-dev
  libfluidsynth-dev timgm6mb-soundfont libsndfile1-dev libsamplerate0-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-horai-umefont
  xvfb xauth xdotool x11-utils imagemagick python3
  pulseaudio pulseaudio-utils
  librsvg2-bin desktop-file-utils appstream lintian file
  openbox libx11-dev libxdamage-dev dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
