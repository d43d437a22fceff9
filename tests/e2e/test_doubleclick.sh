#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A double-click on a button that moves to another window acts once: the
# second click, landing on the new window, presses nothing there. Real
# double-clicks (two presses 80 ms apart) on "次へ" of the title and on each
# menu button. After each, the window's close box asks the quit question:
# once that box is up, the program has handled every earlier click, so
# whatever the second click did is on screen; No puts it away again.
source "$(dirname "$0")/lib.sh"
e2e_need python3                                 # for the close requests

double_click_twips() {
  xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click --repeat 2 --delay 80 1
}

# Waits until the program has handled everything sent so far (see above).
settle() {
  local id="$1" what="$2"
  e2e_close_request "${id}"
  e2e_retry 100 0.1 question_up "${what}" || e2e_fail "after ${what} the window no longer takes a close request (hidden?)"
  e2e_decline
}
question_up() {
  e2e_shown '^Sorvena$' && return 0
  kill -0 "${E2E_PID}" 2>/dev/null || e2e_fail "program ended after $1"
  return 1
}

# A click at the spot of the one before, sooner than the double-click time
# (400 ms here), is the second half of a double-click, whatever window it
# lands in; the deliberate clicks of this script wait that long first.
past_double_click_time() { sleep 0.5; }

shown_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | xargs -r -n1 xdotool getwindowname | sort; }

# The two clicks are 80 ms apart only if xdotool is not held up; on a
# machine too busy for that, the second click is a deliberate one and does
# press what lies under it. Such a run is tried once more.
if [ -z "${E2E_ATTEMPT:-}" ]; then
  E2E_ATTEMPT=1 bash "$0" "$1" && exit 0
  echo "once more"
  E2E_ATTEMPT=2 exec bash "$0" "$1"
fi

e2e_start "$1"
# "次へ" at a point that the menu's "ビュホンの針…" button covers.
title=$(e2e_window '制作')
double_click_twips "${title}" 3975 300
menu=$(e2e_window '^Sorvena Menu$')
settle "${menu}" "the double-click on 次へ"
[ "$(shown_windows)" = "Sorvena Menu" ] || e2e_fail "after a double-click on 次へ: $(shown_windows | paste -sd '|')"

# Each menu button, double-clicked where the menu has been moved so that a
# button of the window it opens lies under the mouse: the second click
# must not press "終了" (a question), "メニュー" (back to the menu) or
# "解説" / "次へ" (the explanation); the window shows in the state it is
# found in. Buttons of each window, left to right, then the one put under
# the mouse and what pressing it would do.
QUIT="0 0 855 375"
MENU="840 0 855 375"
while IFS='|' read -r top caption initial buttons victim does; do
  # Where the window opens: visit it once.
  w=$(e2e_open "${menu}" "${top}" "${caption}")
  eval "$(xdotool getwindowgeometry --shell "${w}")"
  menu=$(e2e_back "${w}")
  read -r vl vt vw vh <<<"${victim}"
  xdotool windowmove --sync "${menu}" $(( X + (vl + vw / 2) / 15 - 2347 / 15 )) \
    $(( Y + (vt + vh / 2) / 15 - (top + 187) / 15 ))

  past_double_click_time
  double_click_twips "${menu}" 2347 $(( top + 187 ))
  w=$(e2e_window "^${caption}\$")
  if [ "${does}" = question ]; then
    # A question would block the window: "メニュー" then does nothing.
    past_double_click_time
    e2e_click_twips "${w}" 1267 187
    for _ in $(seq 1 100); do
      e2e_shown '^Sorvena$' && e2e_fail "a double-click on the menu button at ${top} asked the quit question"
      e2e_shown '^Sorvena Menu$' && break
      sleep 0.1
    done
  else
    settle "${w}" "the double-click on the menu button at ${top}"
    [ "$(shown_windows)" = "${caption}" ] ||
      e2e_fail "after the menu button at ${top}: $(shown_windows | paste -sd '|')"
    IFS=',' read -r -a rects <<<"${buttons}"
    e2e_wait_buttons "${w}" "${initial}" "${QUIT}" "${MENU}" "${rects[@]}"
    past_double_click_time
    e2e_click_twips "${w}" 1267 187            # メニュー, a single click
  fi
  menu=$(e2e_window '^Sorvena Menu$')
  e2e_gone "^${caption}\$"
done <<'LIST'
360|円の内接正多角形の周の長さからπの近似値を求める|110100|1680 0 855 375,3000 0 855 375,3840 0 855 375,4680 0 855 375|840 0 855 375|menu
960|モンテカルロ法を利用してπの近似値を求める|11010|1680 0 855 375,3720 0 855 375,4560 0 975 375|0 0 855 375|question
1560|ビュホンの針を利用してπの近似値を求める|11010|1680 0 855 375,3720 0 855 375,4560 0 975 375|3720 0 855 375|explanation
2160|ウォーリスの公式を利用してπの近似値を求める|11001|3360 0 1695 375,7320 0 855 375,8160 0 855 375|840 0 855 375|menu
2760|グレゴリー・ライプニッツの公式を利用してπの近似値を求める|11001|3360 0 1695 375,7440 0 855 375,8280 0 855 375|0 0 855 375|question
3360|オイラーの公式を利用してπの近似値を求める|11001|3480 0 1695 375,7560 0 855 375,8400 0 855 375|8400 0 855 375|explanation
3960|マツナガ ヨシスケの公式１を利用してπの近似値を求める|11001|3360 0 1695 375,7320 0 855 375,8160 0 855 375|0 0 855 375|question
4560|マツナガ ヨシスケの公式２を利用してπの近似値を求める|11001|3360 0 1695 375,7320 0 855 375,8160 0 855 375|8160 0 855 375|explanation
LIST

e2e_quit "${menu}" 2347 5347                   # 終　　　　　了
echo "doubleclick: ok"
