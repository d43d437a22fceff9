#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every method window, driven through its real buttons and input box: one
# run to its end, one stopped with "中止". The frame's close box asks the
# quit question while "終了" is enabled (No keeps everything) and is ignored
# during a run. "終了" answered Yes ends the program with status 0 and
# leaves no process behind.
source "$(dirname "$0")/lib.sh"
e2e_need python3                                 # for the close requests
work="$(mktemp -d)"
# A frozen program (see stopped_run) must be let go before it is ended.
trap 'thaw; e2e_cleanup; rm -rf "${work}"' EXIT
e2e_start "$1"

# The program stops while the script takes its time, and goes on after.
freeze() { [ -z "${E2E_PID}" ] || kill -STOP "${E2E_PID}" 2>/dev/null || true; }
thaw() { [ -z "${E2E_PID}" ] || kill -CONT "${E2E_PID}" 2>/dev/null || true; }

alive() { kill -0 "${E2E_PID}" 2>/dev/null || e2e_fail "program ended: $*"; }

# Ink (text pixels) and pixel checksum of a rectangle of a window, now.
ink_of() { e2e_now e2e_ink "$@"; }
pixels_of() { e2e_now e2e_pixels "$@"; }

# Waits until the window's buttons show the map and the label has text.
wait_end() {
  local id="$1" want="$2" label="$3" seen=""
  for _ in $(seq 1 100); do
    seen=$(e2e_buttons "${id}" "${BUTTONS[@]}")
    # shellcheck disable=SC2086
    [ "${seen}" = "${want}" ] && [ "$(ink_of "${id}" ${label})" -gt 0 ] && return 0
    alive "waiting for the end of a run"
    sleep 0.1
  done
  e2e_fail "run did not end: buttons ${seen}, wanted ${want} and text in ${label}"
}

# The frame's close box while "終了" is enabled: the quit question; No
# leaves the window as it was and the program running.
close_asks() {
  local id="$1" caption="$2" before
  before=$(e2e_buttons "${id}" "${BUTTONS[@]}")
  e2e_close_request "${id}"
  e2e_decline
  [ "$(e2e_window "${caption}")" = "${id}" ] || e2e_fail "'${caption}' not shown after No"
  alive "after answering No"
  [ "$(e2e_buttons "${id}" "${BUTTONS[@]}")" = "${before}" ] || e2e_fail "buttons changed by a declined quit"
}

# Starts a run with the start button and the answer typed into the input
# box titled as given.
start_run() {
  # shellcheck disable=SC2086
  e2e_press "$1" ${START}
  e2e_input "^$2\$" "$3"
}

# The counter of an ended run stands still: it is the same after the
# program has answered a close request from the frame (the quit question,
# answered No) as before. A run still going would not ask at all.
counter_stands_still() {
  local id="$1" what="$2" a
  # shellcheck disable=SC2086
  a=$(pixels_of "${id}" ${COUNTER})
  e2e_close_request "${id}"
  e2e_decline
  # shellcheck disable=SC2086
  [ "$(pixels_of "${id}" ${COUNTER})" = "${a}" ] || e2e_fail "counter still changing after ${what}"
}

# A run to its end: the buttons come back with the counter filled in, and
# the counter then stands still.
complete_run() {
  local id="$1" title="$2" answer="$3"
  start_run "${id}" "${title}" "${answer}"
  wait_end "${id}" "${DONE}" "${COUNTER}"
  counter_stands_still "${id}" "the end of a run"
}

# A huge run: a close request from the frame during it asks nothing and the
# run goes on (its counter changes, its stop hint shows); "中止" ends it,
# the buttons come back and the counter stands still. The experiments end
# on their own after a few seconds, and screenshots are slow on a busy
# machine, so the program is frozen while the script looks and goes on only
# while one screenshot is taken: the run cannot end before "中止". X hands
# the program the close request before the screenshot and the click after.
stopped_run() {
  local id="$1" title="$2" answer="$3"
  start_run "${id}" "${title}" "${answer}"
  freeze
  e2e_close_request "${id}"
  e2e_shot "${id}" "${work}/a.png"
  thaw; e2e_shot "${id}" "${work}/b.png"; freeze
  [ "$(e2e_button_map "${work}/b.png" "${BUTTONS[@]}")" = "${RUNNING}" ] ||
    e2e_fail "the run of ${answer} ended within one screenshot"
  # shellcheck disable=SC2086
  [ "$(e2e_pixels "${work}/a.png" ${COUNTER})" != "$(e2e_pixels "${work}/b.png" ${COUNTER})" ] ||
    e2e_fail "the run did not go on after a close request"
  # shellcheck disable=SC2086
  [ "$(e2e_ink "${work}/b.png" ${HINT})" -gt 0 ] || e2e_fail "no stop hint during a run"
  # shellcheck disable=SC2086
  e2e_press "${id}" ${STOP}
  thaw
  wait_end "${id}" "${DONE}" "${COUNTER}"
  e2e_hidden '^Sorvena$' || e2e_fail "a close request during a run asked the quit question"
  counter_stands_still "${id}" "中止"
}

# Opens a method window from the menu; prints its id.
open_from_menu() {
  local id
  id=$(e2e_open "${menu}" "$1" "$2")
  e2e_gone '^Sorvena Menu$'
  echo "${id}"
}

# Ink of the stop hint of a window, now.
# shellcheck disable=SC2086
hint_of() { ink_of "$1" ${HINT}; }

# The end of each window's checks: a run of $3 stopped with "中止" (the
# stop hint then gone), the close box, and "メニュー" back to the menu.
stop_and_leave() {
  local id="$1" caption="$2"
  stopped_run "${id}" "$3" "$4"
  [ "$(hint_of "${id}")" -eq 0 ] || e2e_fail "${caption}: stop hint kept after 中止"
  close_asks "${id}" "^${caption}\$"
  menu=$(e2e_back "${id}")
  e2e_gone "^${caption}\$"
  echo "${caption}: ok (${SECONDS} s)"
}

QUIT="0 0 855 375"
MENU="840 0 855 375"

# Title window and menu: the close box asks there too.
title=$(e2e_window '制作')
BUTTONS=("120 0 855 375" "3600 0 855 375")
close_asks "${title}" '制作'
menu=$(e2e_next "${title}")
BUTTONS=("360 5160 3975 375")
close_asks "${menu}" '^Sorvena Menu$'

# Inscribed polygons: "解説", "手動" to the 11-gon (which enables "自動"),
# "自動" to 20, then "自動" to 100000 stopped. Buttons: 終了 メニュー 中止
# 解説 自動 手動. The stop hint stays after a full run and goes on a stop.
caption='円の内接正多角形の周の長さからπの近似値を求める'
w=$(open_from_menu 360 "${caption}")
BUTTONS=("${QUIT}" "${MENU}" "1680 0 855 375" "3000 0 855 375" "3840 0 855 375" "4680 0 855 375")
HINT="600 7080 4335 255"
e2e_wait_buttons "${w}" 110100 "${BUTTONS[@]}"
e2e_press "${w}" 3000 0 855 375                  # 解説
e2e_wait_buttons "${w}" 110001 "${BUTTONS[@]}"
for _ in 3 4 5 6 7 8 9 10; do e2e_press "${w}" 4680 0 855 375; done
e2e_wait_buttons "${w}" 110001 "${BUTTONS[@]}"   # 10-gon: 自動 still off
e2e_press "${w}" 4680 0 855 375
e2e_wait_buttons "${w}" 110011 "${BUTTONS[@]}"   # 11-gon: 自動 on
START="3840 0 855 375"; STOP="1680 0 855 375"; RUNNING=001000; DONE=110011
COUNTER="480 5880 4575 375"
complete_run "${w}" '正何角形までの設定' 20
[ "$(hint_of "${w}")" -gt 0 ] || e2e_fail "polygon: stop hint gone after a full run"
stop_and_leave "${w}" "${caption}" '正何角形までの設定' 100000

# Monte Carlo and needles share the button row: 終了 メニュー 中止 解説 実験.
BUTTONS=("${QUIT}" "${MENU}" "1680 0 855 375" "3720 0 855 375" "4560 0 975 375")
START="4560 0 975 375"; STOP="1680 0 855 375"; RUNNING=00100; DONE=11001
while IFS='|' read -r top caption title small huge counter hint hint_after_full; do
  w=$(open_from_menu "${top}" "${caption}")
  e2e_wait_buttons "${w}" 11010 "${BUTTONS[@]}"
  e2e_press "${w}" 3720 0 855 375                # 解説
  e2e_wait_buttons "${w}" 11001 "${BUTTONS[@]}"
  COUNTER="${counter}"; HINT="${hint}"
  complete_run "${w}" "${title}" "${small}"
  shown=$(hint_of "${w}")
  [ "$(( shown > 0 ))" = "${hint_after_full}" ] || e2e_fail "${caption}: stop hint after a full run (${shown} pixels)"
  stop_and_leave "${w}" "${caption}" "${title}" "${huge}"
done <<'LIST'
960|モンテカルロ法を利用してπの近似値を求める|打つ点の個数の設定|200|10000|360 5760 4815 375|360 7200 4815 375|1
1560|ビュホンの針を利用してπの近似値を求める|落とす針の本数の設定|300|20000|360 6000 4815 375|360 7440 4815 375|0
LIST

# Series windows: 終了 メニュー 計　　算 中止 次へ; "次へ" arms "計　　算"
# before each run. Counter and stop-hint labels lie inside the drawing
# surface (its border is 2 pixels).
while IFS='|' read -r top caption title calc stop next counter hint; do
  w=$(open_from_menu "${top}" "${caption}")
  BUTTONS=("${QUIT}" "${MENU}" "${calc}" "${stop}" "${next}")
  START="${calc}"; STOP="${stop}"; RUNNING=00010; DONE=11001; COUNTER="${counter}"; HINT="${hint}"
  e2e_wait_buttons "${w}" 11001 "${BUTTONS[@]}"
  # shellcheck disable=SC2086
  e2e_press "${w}" ${next}
  e2e_wait_buttons "${w}" 11100 "${BUTTONS[@]}"
  complete_run "${w}" "${title}" 30
  [ "$(hint_of "${w}")" -eq 0 ] || e2e_fail "${caption}: stop hint kept after a run"
  # shellcheck disable=SC2086
  e2e_press "${w}" ${next}
  e2e_wait_buttons "${w}" 11100 "${BUTTONS[@]}"
  stop_and_leave "${w}" "${caption}" "${title}" 1E20
done <<'LIST'
2160|ウォーリスの公式を利用してπの近似値を求める|かけ算させる数字の数の入力|3360 0 1695 375|7320 0 855 375|8160 0 855 375|5310 4110 3135 375|4470 4710 3975 375
2760|グレゴリー・ライプニッツの公式を利用してπの近似値を求める|計算させる項数の入力|3360 0 1695 375|7440 0 855 375|8280 0 855 375|5550 4230 3135 375|4590 4830 4095 375
3360|オイラーの公式を利用してπの近似値を求める|計算させる項数の入力|3480 0 1695 375|7560 0 855 375|8400 0 855 375|5670 4230 3015 375|4710 4830 3975 375
3960|マツナガ ヨシスケの公式１を利用してπの近似値を求める|計算させる項数の入力|3360 0 1695 375|7320 0 855 375|8160 0 855 375|5190 3990 3375 375|4470 4590 4095 375
4560|マツナガ ヨシスケの公式２を利用してπの近似値を求める|計算させる項数の入力|3360 0 1695 375|7320 0 855 375|8160 0 855 375|5070 3990 3375 375|4470 4590 3975 375
LIST

# Quit: the question, no child process meanwhile, Yes ends with status 0
# and nothing of the program remains on the display.
pid="${E2E_PID}"
e2e_press "${menu}" 360 5160 3975 375        # 終　　　　　了
box=$(e2e_window '^Sorvena$')
children=$(pgrep -P "${pid}" || true)
[ -z "${children}" ] || e2e_fail "child processes: ${children}"
e2e_keys_to "${box}" Return
e2e_expect_exit 0
kill -0 "${pid}" 2>/dev/null && e2e_fail "process ${pid} still there"
[ -z "$(xdotool search --name . 2>/dev/null || true)" ] || e2e_fail "windows left on the display"
echo "runs: ok (${SECONDS} s)"
