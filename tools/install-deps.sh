#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Sorvena needs, skipping what is already there.
#   install-deps.sh        what building and running need (make run)
#   install-deps.sh test   that, and what the tests, the package check and
#                          the benchmarks add (make test)
#   install-deps.sh fresh  what make fresh-check needs
#   install-deps.sh list   prints the names of all those packages
# Says how many packages it will install, and how much it downloads, first.
set -euo pipefail

run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-wayland
  qt6-l10n-tools qt6-tools-dev
  # Qt's own dialogs (the file dialog) in the program's language.
  qt6-translations-l10n
  libfluidsynth-dev timgm6mb-soundfont libsndfile1-dev libsamplerate0-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-horai-umefont fonts-dejavu-core
  librsvg2-bin
  # The start-up benchmark, configured with the program, watches the X server.
  libx11-dev libxdamage-dev
  # The class session: its server, its pool and the QR code of its address.
  qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite libqrencode-dev
)
test_packages=(
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick python3 openbox weston
  pulseaudio pulseaudio-utils dbus-daemon
  # The end-to-end runs read and press the windows over AT-SPI.
  at-spi2-core python3-gi gir1.2-atspi-2.0
  orca speech-dispatcher-espeak-ng
  desktop-file-utils appstream lintian file
  # The throws of the class page run under Node.js against the C++ known answers.
  nodejs
  # The class page in a real browser.
  chromium chromium-driver python3-selenium
)

# What make fresh-check adds: a new Debian root, and git to hand it the
# repository.
fresh_packages=(debootstrap git)

case "${1:-run}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  fresh) packages=("${fresh_packages[@]}") ;;
  list) printf '%s\n' "${run_packages[@]}" "${test_packages[@]}" "${fresh_packages[@]}"; exit 0 ;;
  *) echo "usage: $0 [run|test|fresh|list]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# What to run as root instead, word for word what this script would run.
as_root() {
  echo "install-deps: $1; as root run: apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
}
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || as_root "not root and no sudo"
  sudo="sudo"
fi
# Through sudo, a refusal (a user sudo does not know) gets the same advice.
apt_get() {
  $sudo apt-get "$@" && return 0
  [ -z "${sudo}" ] || as_root "sudo apt-get $1 failed"
  exit 1
}
export DEBIAN_FRONTEND=noninteractive
apt_get update -qq
# A dry run first, to say what the real one will bring (cached packages
# count in the download too).
count=$(apt-get install -s --no-install-recommends "${missing[@]}" | grep -c '^Inst ' || true)
bytes=$(apt-get --print-uris -qq install --no-install-recommends "${missing[@]}" | awk '{s += $3} END {print s + 0}')
echo "install-deps: installing ${count} packages (${#missing[@]} named, the rest what they need), $(( bytes / 1000000 )) MB to download"
apt_get install -y -qq --no-install-recommends "${missing[@]}"
