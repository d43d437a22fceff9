#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the benchmarks under a private X server, all of them or those named.
# Usage: bench/run.sh [build-dir [bench_name...]]; keyecho names the
# key-echo measurement under Orca (bench/keyecho.sh, KEYECHO_ROUNDS rounds).
# The start-up benchmark runs on a private session bus, as on a desktop
# (without one every Qt program spends its start-up launching a bus of its
# own), twice: with a private PulseAudio server and with none.
set -euo pipefail
build="${1:-build}"
shift || true
source="$(cd "$(dirname "$0")" && pwd)"
cd "${build}"
unset QT_QPA_PLATFORM
export QT_FONT_DPI=96
work="$(mktemp -d)"
pa=""
trap '[ -n "${pa}" ] && kill "${pa}" 2>/dev/null; rm -rf "${work}"' EXIT
export XDG_RUNTIME_DIR="${work}"
export PULSE_RUNTIME_PATH="${work}/pulse"
# No client may start a server of its own when none runs.
printf 'autospawn = no\n' >"${work}/client.conf"
export PULSE_CLIENTCONFIG="${work}/client.conf"

xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"; }

names=("$@")
[ ${#names[@]} -gt 0 ] || names=(bench_* keyecho)
for bench in "${names[@]/#/./}"; do
  # Key echoes under Orca: a script with its own X server and screen reader.
  if [ "${bench}" = ./keyecho ]; then
    echo "== keyecho"
    bash "${source}/keyecho.sh" . "${KEYECHO_ROUNDS:-20}"
    continue
  fi
  [ -x "${bench}" ] || continue
  echo "== ${bench#./}"
  if [ "${bench}" != ./bench_startup ]; then
    xvfb "${bench}"
    continue
  fi
  if command -v pulseaudio >/dev/null; then
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
      -L "module-null-sink sink_name=bench" -L "module-native-protocol-unix" 2>"${work}/pa.log" &
    pa=$!
    for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    if pactl info >/dev/null 2>&1; then
      dbus-run-session -- bash -c "$(declare -f xvfb); xvfb ${bench} 15 'with a sound server'" 2> >(grep -v 'fd limit' >&2)
    else
      echo "  (PulseAudio did not start: no figure with a sound server)"
    fi
    kill "${pa}"; wait "${pa}" 2>/dev/null || true; pa=""
  fi
  dbus-run-session -- bash -c "$(declare -f xvfb); xvfb ${bench} 15 'without a sound server'" 2> >(grep -v 'fd limit' >&2)
done
