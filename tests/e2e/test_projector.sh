#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Projector mode on a projector's screen under a window manager: the
# tallest window, Buffon's, lies wholly on the screen, frame included.
# Usage: test_projector.sh <binary> [WxH...]; E2E_SHOTS=dir keeps a
# screenshot of each screen there.
source "$(dirname "$0")/lib.sh"
bin="$1"
shift
screens=("$@")
[ ${#screens[@]} -gt 0 ] || screens=(1024x768 1920x1080)
command -v openbox >/dev/null || { echo "no openbox: skipped"; exit 77; }

for screen in "${screens[@]}"; do
  E2E_SCREEN="${screen}x24" E2E_WM="openbox --sm-disable" e2e_start "${bin}" --projector
  title=$(e2e_window '制作')
  # The title window is 4545 twips wide at scale 1.
  E2E_SCALE=$(e2e_size "${title}" | awk -F x '{ printf "%.2f", $1 / 303 }')
  awk -v s="${E2E_SCALE}" 'BEGIN { exit !(s > 1) }' || e2e_fail "${screen}: scale ${E2E_SCALE}"
  e2e_click_twips "${title}" 4027 187       # 次へ
  menu=$(e2e_window '^Sorvena Menu$')
  e2e_click_twips "${menu}" 2347 1747       # ビュホンの針
  buffon=$(e2e_window '^ビュホンの針を利用してπの近似値を求める$')
  read -r l t r b < <(e2e_framed "${buffon}")
  frame="$(( r - l ))x$(( b - t ))+${l}+${t}"
  echo "${screen}: scale ${E2E_SCALE}, Buffon window with its frame ${frame}"
  [ -n "${E2E_SHOTS:-}" ] && import -window root "${E2E_SHOTS}/projector-${screen}.png"
  (( l >= 0 && t >= 0 && r <= ${screen%x*} && b <= ${screen#*x} )) ||
    e2e_fail "${screen}: the window and its frame, ${frame}, leave the screen"
  e2e_click_twips "${buffon}" 427 187       # 終了
  box=$(e2e_window '^Sorvena$')
  e2e_keys_to "${box}" Return
  e2e_expect_exit 0
  e2e_cleanup
done
echo "projector: ok"
