#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keys typed into an input box that has just opened, with Orca listening:
# Qt asks the screen reader about every key over AT-SPI and, when no reply
# comes in time, warns "QSpiApplication::keyEventError" and delivers the key
# late (the query waits 100 ms). Counts those warnings for a bare Qt Widgets program (keyecho_bare)
# and for the program (a series window's N prompt), in turns, the same keys
# at the same pace, and prints both counts and their ratio. Timings on a
# shared machine are noisy: a measurement, not a test; nothing passes or
# fails on the figures.
# Usage: bench/keyecho.sh [build-dir [rounds]] (build, 20). E2E_DISPLAYS
# names the X displays it may take; KEYECHO_KEEP=DIR keeps the logs there.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(realpath "${1:-build}")"
rounds="${2:-20}"
source "${here}/../tests/e2e/lib.sh"
source "${here}/../tests/e2e/orca.sh"

for tool in orca speech-dispatcher setsid dbus-daemon xdotool Xvfb openbox; do
  command -v "${tool}" >/dev/null || { echo "keyecho: ${tool} is not on the PATH, nothing measured"; exit 0; }
done
[ -x "${build}/sorvena" ] && [ -x "${build}/keyecho_bare" ] || { echo "keyecho: build sorvena and keyecho_bare first"; exit 1; }
if [ -n "$(other_orcas)" ]; then
  echo "keyecho: another Orca of this user runs, and Orca refuses to start twice: nothing measured"
  exit 0
fi

work="$(mktemp -d)"
BARE_PID=""
keyecho_cleanup() {
  [ -n "${BARE_PID}" ] && kill "${BARE_PID}" 2>/dev/null || true
  orca_stop
  e2e_cleanup
  orca_stop_bus
  if [ -n "${KEYECHO_KEEP:-}" ]; then
    mkdir -p "${KEYECHO_KEEP}"
    cp "${work}"/*.log "${KEYECHO_KEEP}/" 2>/dev/null || true
  fi
  rm -rf "${work}"
}
trap keyecho_cleanup EXIT

orca_home "${work}"
orca_bus
E2E_WM=openbox
e2e_start /bin/true
wait "${E2E_PID}" 2>/dev/null || true
orca_start
orca_ready || { echo "keyecho: Orca did not start: $(tail -n 3 "${work}/orca.out")"; exit 1; }

# Both programs in Japanese, as at school; the same box's texts in both.
title='計算させる項数の入力'
prompt='第何項目まで計算させますか？（２以上の自然数を入力してください．．．）'
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES
# Their warnings with the time, to set beside Orca's log.
export QT_MESSAGE_PATTERN='%{time hh:mm:ss.zzz} %{message}'
"${build}/keyecho_bare" "${title}" "${prompt}" 10000 >"${work}/bare.log" 2>&1 &
BARE_PID=$!
bare=$(E2E_PID=${BARE_PID} e2e_window '^keyecho_bare$')
"${build}/sorvena" >"${work}/sorvena.log" 2>&1 &
E2E_PID=$!
# Title, menu, Gregory–Leibniz; 次へ shows the page and hands the focus to
# 計算, which opens the box.
menu=$(e2e_next "$(e2e_window '制作')")
series=$(e2e_open "${menu}" 2760 'グレゴリー・ライプニッツの公式を利用してπの近似値を求める')
xdotool windowactivate --sync "${series}" 2>/dev/null || true
e2e_press "${series}" 8160 0 855 375

warnings() { grep -ac 'keyEventError' "$1" || true; }
# Replies that came after their time-out: Qt finds no key waiting for them.
late() { grep -ac 'with no queued key called' "$1" || true; }
active() { [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$1" ]; }
# One round in the program of the window $1 and process $2: its window
# activated and read by Orca, then the keys that open the box ($3: Space on
# 次へ, which hands the focus to 計算, and Space there), then, as soon as the
# box has the keyboard, the keys a pupil types; returns once the box has
# gone and the focus is back on 次へ.
round() {
  local window="$1" pid="$2" opening="$3" box=""
  xdotool windowactivate --sync "${window}" 2>/dev/null || true
  e2e_retry 100 0.05 active "${window}" || e2e_fail "window ${window} did not get the keyboard"
  sleep 1
  if [ "${opening}" = next ]; then
    xdotool key space
    sleep 1
  fi
  xdotool key space
  for _ in $(seq 1 100); do
    box=$(xdotool search --all --onlyvisible --pid "${pid}" --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [ -n "${box}" ] && break
    sleep 0.05
  done
  [ -n "${box}" ] || e2e_fail "no input box from ${pid}"
  e2e_retry 100 0.05 active "${box}" || e2e_fail "the input box of ${pid} did not get the keyboard"
  xdotool key --delay 150 ctrl+a
  xdotool type --delay 50 3000
  xdotool key --delay 150 Return
  E2E_PID=${pid} e2e_gone "^${title}\$"
}

# A first round, not counted, leaves both on 次へ (the focus starts on 計算).
round "${bare}" "${BARE_PID}" ask
round "${series}" "${E2E_PID}" ask
sleep 3
bare_from=$(warnings "${work}/bare.log")
sorvena_from=$(warnings "${work}/sorvena.log")
load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
bare_rounds=0
sorvena_rounds=0
for i in $(seq 1 "${rounds}"); do
  before=$(warnings "${work}/bare.log")
  round "${bare}" "${BARE_PID}" next
  [ "$(warnings "${work}/bare.log")" = "${before}" ] || bare_rounds=$(( bare_rounds + 1 ))
  before=$(warnings "${work}/sorvena.log")
  round "${series}" "${E2E_PID}" next
  [ "$(warnings "${work}/sorvena.log")" = "${before}" ] || sorvena_rounds=$(( sorvena_rounds + 1 ))
  echo "  round ${i}: keyecho_bare $(( $(warnings "${work}/bare.log") - bare_from )), sorvena $(( $(warnings "${work}/sorvena.log") - sorvena_from )) so far"
done
# The last keys' replies, late or not, come in before counting.
sleep 5
bare_count=$(( $(warnings "${work}/bare.log") - bare_from ))
sorvena_count=$(( $(warnings "${work}/sorvena.log") - sorvena_from ))
echo "keyecho: ${rounds} rounds each after one not counted, the keys Space, Space, Ctrl+A, 3000, Return each," \
  "Orca 43 listening; the first round's: keyecho_bare ${bare_from}, sorvena ${sorvena_from};" \
  "load average $(cut -d ' ' -f 1-3 /proc/loadavg) (before: ${load_before})"
echo "  keyecho_bare (Qt alone): ${bare_count} time-outs, in ${bare_rounds} of ${rounds} rounds" \
  "($(late "${work}/bare.log") late replies in all)"
echo "  sorvena:                 ${sorvena_count} time-outs, in ${sorvena_rounds} of ${rounds} rounds" \
  "($(late "${work}/sorvena.log") late replies in all)"
if [ "${bare_count}" -gt 0 ]; then
  awk -v s="${sorvena_count}" -v b="${bare_count}" 'BEGIN { printf "  ratio sorvena / bare: %.2f\n", s / b }'
else
  echo "  ratio sorvena / bare: none (no time-out in the bare program)"
fi
