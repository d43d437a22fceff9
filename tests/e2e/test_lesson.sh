#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lesson mode with the real binary, by the lesson keys: at the slow tempo a
# Monte Carlo run of 100 points is still under way after a second; paused
# by P in the controller, its counter holds; resumed at full speed, it
# finishes. P on the window's focused 中止 pauses the next run, and Space
# there presses 中止. With a private PulseAudio server, a click is heard,
# and once muted a click leaves the null sink silent. Under --projector
# with a window manager, on a projector's screens, the widest window and
# the controller lie side by side on the screen, frames included, at a
# scale of at least 1.15 on 1024x768 and 1.9 on 1920x1080.
source "$(dirname "$0")/lib.sh"
work="$(mktemp -d)"
trap 'e2e_cleanup; rm -rf "${work}"' EXIT
sound=yes
e2e_recording_sink "${work}" || sound=no

tenths() { e2e_tenths "${work}"; }

e2e_start "$1" --lesson
title=$(e2e_window '制作')
controller=$(e2e_window '^授業モード$')
menu=$(e2e_next "${title}")
w=$(e2e_open "${menu}" 960 'モンテカルロ法を利用してπの近似値を求める')
BUTTONS=("0 0 855 375" "840 0 855 375" "1680 0 855 375" "3720 0 855 375" "4560 0 975 375")
COUNTER="360 5760 4815 375"
e2e_click_twips "${w}" 4147 187                                  # 解説
e2e_wait_buttons "${w}" 11001 "${BUTTONS[@]}"

click_start() { e2e_click_twips "${w}" 5047 187; }               # 実験
# Loud tenths in the 1.5 s after a click of 実験 (its box then cancelled),
# after 1.5 s for the sounds before to end.
loud_after_click() {
  local mark
  e2e_recorded_to "${work}" $(( $(tenths) + 15 ))
  mark=$(tenths)
  click_start
  e2e_recorded_to "${work}" $(( $(tenths) + 15 ))
  e2e_answer '^打つ点の個数の設定$' Escape
  e2e_gone '^打つ点の個数の設定$'
  e2e_loud "${work}" "${mark}"
}
if [ "${sound}" = yes ]; then
  loud=$(loud_after_click) || exit 1
  [ "${loud}" -ge 2 ] || e2e_fail "a click was not heard before the mute"
fi

# Slow: one step down from the medium tempo a lesson starts at.
e2e_keys_to "${controller}" minus
click_start
e2e_input '^打つ点の個数の設定$' 100
sleep 1
e2e_wait_buttons "${w}" 00100 "${BUTTONS[@]}"                    # still under way

# Paused, the counter holds while the program keeps drawing its windows.
e2e_keys_to "${controller}" p
sleep 0.5
# shellcheck disable=SC2086
held=$(e2e_now e2e_pixels "${w}" ${COUNTER})
sleep 1.5
shot="${work}/b.png"; e2e_shot "${w}" "${shot}"
# shellcheck disable=SC2086
[ "$(e2e_pixels "${shot}" ${COUNTER})" = "${held}" ] || e2e_fail "the counter moved while paused"
[ "$(e2e_button_map "${shot}" "${BUTTONS[@]}")" = 00100 ] || e2e_fail "the paused run ended"

# Resumed at full speed, the run finishes.
e2e_keys_to "${controller}" plus plus plus p
e2e_wait_buttons "${w}" 11001 "${BUTTONS[@]}"
# shellcheck disable=SC2086
[ "$(e2e_now e2e_pixels "${w}" ${COUNTER})" != "${held}" ] || e2e_fail "the counter did not move after resuming"

# In the window, with the focus on 中止: P pauses the run and Space presses
# 中止, which ends it.
e2e_keys_to "${controller}" minus minus minus                    # slow again
click_start
e2e_input '^打つ点の個数の設定$' 100
e2e_wait_buttons "${w}" 00100 "${BUTTONS[@]}"
e2e_keys_to "${w}" p
sleep 0.5
# shellcheck disable=SC2086
held=$(e2e_now e2e_pixels "${w}" ${COUNTER})
sleep 1
# shellcheck disable=SC2086
[ "$(e2e_now e2e_pixels "${w}" ${COUNTER})" = "${held}" ] || e2e_fail "P on 中止 did not pause the run"
e2e_keys_to "${w}" space
e2e_wait_buttons "${w}" 11001 "${BUTTONS[@]}"
e2e_keys_to "${controller}" plus plus plus                       # full speed

if [ "${sound}" = yes ]; then
  e2e_keys_to "${controller}" m                                  # mute
  loud=$(loud_after_click) || exit 1
  [ "${loud}" -eq 0 ] || e2e_fail "a click sounded while muted (${loud} loud tenths)"
else
  echo "no pulseaudio server: mute not checked"
fi
e2e_cleanup

if ! command -v openbox >/dev/null; then
  echo "no openbox: projector not checked"
else
  for screen in 1024x768 1920x1080; do
    E2E_SCREEN="${screen}x24" E2E_WM="openbox --sm-disable" e2e_start "$1" --lesson --projector
    title=$(e2e_window '制作')
    controller=$(e2e_window '^授業モード$')
    E2E_SCALE=$(e2e_scale "${title}")
    menu=$(e2e_next "${title}")
    w=$(e2e_open "${menu}" 3360 'オイラーの公式を利用してπの近似値を求める')  # the widest window
    sleep 0.5
    window=$(e2e_on_screen "${w}" "${screen}")
    controls=$(e2e_on_screen "${controller}" "${screen}")
    read -r wl wt wr wb <<<"${window}"
    read -r cl ct cr cb <<<"${controls}"
    echo "${screen}: scale ${E2E_SCALE}, window ${wl},${wt}-${wr},${wb}, controller ${cl},${ct}-${cr},${cb}"
    (( cl >= wr || cr <= wl )) || e2e_fail "${screen}: the controller covers the window"
    least=$([ "${screen}" = 1024x768 ] && echo 1.15 || echo 1.90)
    awk -v s="${E2E_SCALE}" -v l="${least}" 'BEGIN { exit !(s >= l - 0.01) }' ||
      e2e_fail "${screen}: scale ${E2E_SCALE}, less than ${least}"
    [ -z "${E2E_SHOTS:-}" ] || import -window root "${E2E_SHOTS}/lesson-projector-${screen}.png"
    e2e_cleanup
  done
fi
echo "lesson: ok"
