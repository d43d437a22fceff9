#!/usr/bin/env bash
# The installed program: `cmake --install` into a DESTDIR, then the installed
# binary started from / (no sound file in the current folder nor beside the
# program) must find its tune in <prefix>/share/sorvena and play it through a
# private PulseAudio server with a null sink, recorded from the sink's
# monitor. Skips (77) where no PulseAudio server can run.
source "$(dirname "$0")/lib.sh"
command -v pulseaudio >/dev/null && command -v parec >/dev/null || { echo "no pulseaudio: skipped"; exit 77; }

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

export XDG_RUNTIME_DIR="${work}"
export PULSE_RUNTIME_PATH="${work}/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
  -L "module-null-sink sink_name=rec rate=22050 channels=1" -L "module-native-protocol-unix" \
  >"${work}/pa.log" 2>&1 &
pa=$!
keep=""; rec=""
trap 'e2e_cleanup; kill ${rec} ${keep} ${pa} 2>/dev/null; wait ${pa} 2>/dev/null; rm -rf "${work}"' EXIT
for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { echo "pulseaudio did not start: skipped"; exit 77; }
pactl set-default-sink rec
# A silent stream keeps the sink running, so the recording keeps real time.
pacat --raw --format=s16le --rate=22050 --channels=1 /dev/zero 2>/dev/null & keep=$!
parec -d rec.monitor --raw --format=s16le --rate=22050 --channels=1 >"${work}/rec.raw" 2>/dev/null & rec=$!

# Tenths of a second of the recording that are loud.
loud() {
  od -An -v -td2 -w4410 "${work}/rec.raw" |
    awk 'NF == 2205 { s = 0; for (i = 1; i <= NF; i++) s += $i * $i; if (sqrt(s / NF) > 300) n++ } END { print n + 0 }'
}

cd /
e2e_start "${bin}"
title=$(e2e_window '制作')
for _ in $(seq 1 100); do [ "$(loud)" -ge 10 ] && break; sleep 0.1; done
[ "$(loud)" -ge 10 ] || e2e_fail "the installed program's tune was not heard"

# The way out: "次へ", then "終了" on the menu and Yes.
e2e_click_twips "${title}" 4027 187
menu=$(e2e_window '^Sorvena Menu$')
e2e_click_twips "${menu}" 2347 5347
box=$(e2e_window '^Sorvena$')
e2e_keys_to "${box}" Return
e2e_expect_exit 0
echo "install: ok"
