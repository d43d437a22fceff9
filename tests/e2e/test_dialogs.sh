#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The quit question and the input boxes belong to the window that opened
# them: transient for it, centred on it, not maximisable, and the keyboard
# comes back to the window's button when they close. Once on a bare X
# server, once under openbox, which also offers a minimise box on every
# dialog: minimising the question brings it straight back, answerable.
source "$(dirname "$0")/lib.sh"

# X id of the window holding the keyboard focus, or of its client under a
# window manager that gives the focus to the client.
focused() { xdotool getwindowfocus 2>/dev/null || true; }

has_focus() { [ "$(focused)" = "$1" ]; }
wait_focus() { e2e_retry 100 0.1 has_focus "$1" || e2e_fail "keyboard focus on $(focused), not on $2 ($1)"; }

# Absolute client geometry "x y w h".
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# The box is transient for its owner and centred on it (within the height
# of a title bar: the manager may centre frames rather than clients); its
# manager offers neither maximising nor resizing.
check_owned() {
  local box="$1" owner="$2" what="$3" bx by bw bh ox oy ow oh dx dy actions
  xprop -id "${box}" WM_TRANSIENT_FOR | grep -q "window id # $(printf '0x%x' "${owner}")\$" ||
    e2e_fail "${what}: $(xprop -id "${box}" WM_TRANSIENT_FOR)"
  read -r bx by bw bh <<<"$(geometry "${box}")"
  read -r ox oy ow oh <<<"$(geometry "${owner}")"
  dx=$(( (bx + bw / 2) - (ox + ow / 2) )); dy=$(( (by + bh / 2) - (oy + oh / 2) ))
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 24 ] || e2e_fail "${what}: centre off its owner's by ${dx},${dy}"
  if [ -n "${E2E_WM:-}" ]; then
    actions=$(xprop -id "${box}" _NET_WM_ALLOWED_ACTIONS)
    case "${actions}" in
      *MAXIMIZE* | *RESIZE*) e2e_fail "${what}: ${actions}" ;;
    esac
  fi
}

# A question on the window, answered No with the keyboard: focus returns to
# "終了", so Space asks again.
question_keeps_focus() {
  local id="$1" what="$2" box
  box=$(e2e_window '^Sorvena$')
  check_owned "${box}" "${id}" "the quit question of ${what}"
  wait_focus "${box}" "the quit question of ${what}"
  e2e_decline
  wait_focus "${id}" "${what} after the question"
  xdotool key space
  e2e_decline
  wait_focus "${id}" "${what} after the second question"
}

run_checks() {
  local title menu w box
  title=$(e2e_window '制作')
  e2e_click_twips "${title}" 547 187           # 終了
  question_keeps_focus "${title}" "the title window"

  if [ -n "${E2E_WM:-}" ]; then
    # Minimised through the window manager (as its minimise box does), the
    # question comes back with its window and still answers.
    e2e_click_twips "${title}" 547 187
    box=$(e2e_window '^Sorvena$')
    xdotool windowminimize "${box}"
    box=$(e2e_window '^Sorvena$')
    [ "$(e2e_window '制作')" = "${title}" ] || e2e_fail "the title window did not come back"
    e2e_decline
    wait_focus "${title}" "the title window after a minimised question"
  fi

  menu=$(e2e_next "${title}")
  w=$(e2e_open "${menu}" 960 'モンテカルロ法を利用してπの近似値を求める')
  e2e_click_twips "${w}" 4147 187              # 解説
  e2e_click_twips "${w}" 5047 187              # 実験
  box=$(e2e_window '^打つ点の個数の設定$')
  check_owned "${box}" "${w}" "the input box"
  wait_focus "${box}" "the input box"
  e2e_keys_to "${box}" Escape                  # Cancel: nothing runs
  e2e_gone '^打つ点の個数の設定$'
  wait_focus "${w}" "the Monte Carlo window after its input box"

  e2e_click_twips "${w}" 427 187               # 終了
  question_keeps_focus "${w}" "the Monte Carlo window"
  xdotool key space
  e2e_answer '^Sorvena$' Return
  e2e_expect_exit 0
}

e2e_start "$1"
run_checks
e2e_cleanup
echo "dialogs without a window manager: ok"

if command -v openbox >/dev/null; then
  E2E_WM="openbox --sm-disable" e2e_start "$1"
  E2E_WM="openbox --sm-disable" run_checks
  echo "dialogs under openbox: ok"
else
  echo "no openbox: checked without a window manager only"
fi
