#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Broken sound files with a real audio output: corrupt, truncated and empty
# wave and MIDI files beside the program, played through a private
# PulseAudio server, none at all (nor in the folder it starts from), and a
# missing or corrupt audio module. Every cue and the tune must fail
# silently while the program goes on: title, menu, a method window, back,
# quit with status 0.
source "$(dirname "$0")/lib.sh"
work="$(mktemp -d)"
pa=""
trap 'e2e_cleanup; kill ${pa} 2>/dev/null; rm -rf "${work}"' EXIT
export XDG_RUNTIME_DIR="${work}"
if command -v pulseaudio >/dev/null; then
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
    -L "module-null-sink sink_name=rec" -L "module-native-protocol-unix" >/dev/null 2>&1 &
  pa=$!
  for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi

run_case() {
  local name="$1" dir="${work}/$1"
  mkdir -p "${dir}"
  # The good files first; each case then breaks its own.
  cp "${E2E_BINARY}" "${dir}/sorvena"
  cp "${BUILD_DIR}/sorvena-audio.so" "${BUILD_DIR}"/*.wav "${BUILD_DIR}/passport.mid" "${dir}/"
  case "${name}" in
    corrupt)
      head -c 4000 /dev/urandom >"${dir}/pinpon.wav"
      head -c 4000 /dev/urandom >"${dir}/passport.mid"
      # A header that promises more data than the file holds.
      head -c 60 "${BUILD_DIR}/endpinpon.wav" >"${dir}/endpinpon.wav"
      printf 'MThd\0\0\0\6\0\1\0\2\1\340MTrk\177\377\377\377' >"${dir}/logoff.wav" ;;
    no-module)
      rm "${dir}/sorvena-audio.so" ;;
    broken-module)
      head -c 4000 /dev/urandom >"${dir}/sorvena-audio.so" ;;
    none)
      rm "${dir}"/*.wav "${dir}/passport.mid" ;;
    empty)
      : >"${dir}/pinpon.wav"; : >"${dir}/endpinpon.wav"; : >"${dir}/logoff.wav"; : >"${dir}/passport.mid" ;;
    truncated-midi)
      head -c 300 "${BUILD_DIR}/passport.mid" >"${dir}/passport.mid" ;;
    no-soundfont)
      # Good files, but the places where SoundFonts live are hidden from the
      # program by a private mount namespace.
      mv "${dir}/sorvena" "${dir}/sorvena.bin"
      cat >"${dir}/sorvena" <<'WRAP'
#!/usr/bin/env bash
exec unshare -m bash -c 'for d in /usr/share/sounds /usr/share/soundfonts; do [ -d "$d" ] && mount -t tmpfs none "$d"; done; exec "$0"' "$(dirname "$0")/sorvena.bin"
WRAP
      chmod +x "${dir}/sorvena" ;;
  esac
  (
    trap e2e_cleanup EXIT
    cd "${dir}"
    e2e_start "${dir}/sorvena"
    title=$(e2e_window '制作')
    menu=$(e2e_next "${title}")
    window=$(e2e_open "${menu}" 960 'モンテカルロ法を利用してπの近似値を求める')
    e2e_click_twips "${window}" 4147 187       # 解説
    e2e_click_twips "${window}" 5047 187       # 実験
    e2e_input '^打つ点の個数の設定$' 30
    # The run is over when 終了, メニュー and 実験 are back (中止 and 解説 off).
    e2e_wait_buttons "${window}" 11001 "0 0 855 375" "840 0 855 375" "1680 0 855 375" "3720 0 855 375" "4560 0 975 375"
    menu=$(e2e_back "${window}")
    e2e_quit "${menu}" 2347 5347               # 終　　　　　了
  )
  echo "faults (${name}): ok"
}

E2E_BINARY="$1"
BUILD_DIR="$(cd "$(dirname "$1")" && pwd)"
run_case corrupt
run_case none
run_case empty
run_case truncated-midi
run_case no-module
run_case broken-module
if unshare -m true 2>/dev/null; then
  run_case no-soundfont
else
  e2e_missing "faults (no-soundfont): no private mount namespace here (unshare -m)"
fi
