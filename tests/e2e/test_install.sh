#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program: `cmake --install` into a DESTDIR, then the installed
# binary started from / (no sound file in the current folder nor beside the
# program) must find its tune in <prefix>/share/sorvena and play it through a
# private PulseAudio server with a null sink, recorded from the sink's
# monitor. Skips (77) where no PulseAudio server can run.
source "$(dirname "$0")/lib.sh"

build="$(cd "$(dirname "$1")" && pwd)"
[ -f "${build}/cmake_install.cmake" ] || e2e_fail "no install script in ${build}"
work="$(mktemp -d)"
trap 'e2e_cleanup; rm -rf "${work}"' EXIT

# A prefix other than the package's, to show that none is built in.
prefix=/opt/sorvena-e2e
stage="${work}/stage"
DESTDIR="${stage}" cmake --install "${build}" --prefix "${prefix}" >"${work}/install.log" \
  || { cat "${work}/install.log" >&2; e2e_fail "cmake --install failed"; }
bin="${stage}${prefix}/bin/sorvena"
[ -x "${bin}" ] || e2e_fail "no installed binary"
for f in passport.mid pinpon.wav endpinpon.wav logoff.wav; do
  [ -f "${stage}${prefix}/share/sorvena/${f}" ] || e2e_fail "${f} not installed"
  [ ! -e "${stage}${prefix}/bin/${f}" ] || e2e_fail "${f} installed beside the program"
done
# No absolute build path among the program's constant strings. Names of
# source files do not count: a sanitized build records those of generated
# sources for its reports. QStringLiteral keeps its text in UTF-16.
objcopy -O binary --only-section=.rodata "${bin}" "${work}/rodata"
baked=$({ strings -n 8 "${work}/rodata"; strings -n 8 -e l "${work}/rodata"; } | grep -F "${build}" | grep -vE '\.(cpp|h)$' || true)
[ -z "${baked}" ] || e2e_fail "the binary holds the build path: ${baked}"

e2e_recording_sink "${work}" || e2e_skip "no PulseAudio server could start (pulseaudio, pulseaudio-utils)"

# A second of the recording is loud.
heard() { [ "$(e2e_loud "${work}")" -ge 10 ]; }

cd /
e2e_start "${bin}"
title=$(e2e_window '制作')
e2e_retry 100 0.1 heard || e2e_fail "the installed program's tune was not heard"

# The way out: "次へ", then "終了" on the menu and Yes.
menu=$(e2e_next "${title}")
e2e_quit "${menu}" 2347 5347
echo "install: ok"
