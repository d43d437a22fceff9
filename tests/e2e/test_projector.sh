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
e2e_need openbox

for screen in "${screens[@]}"; do
  E2E_SCREEN="${screen}x24" E2E_WM="openbox --sm-disable" e2e_start "${bin}" --projector
  title=$(e2e_window '制作')
  E2E_SCALE=$(e2e_scale "${title}")
  awk -v s="${E2E_SCALE}" 'BEGIN { exit !(s > 1) }' || e2e_fail "${screen}: scale ${E2E_SCALE}"
  menu=$(e2e_next "${title}")
  buffon=$(e2e_open "${menu}" 1560 'ビュホンの針を利用してπの近似値を求める')
  [ -n "${E2E_SHOTS:-}" ] && import -window root "${E2E_SHOTS}/projector-${screen}.png"
  edges=$(e2e_on_screen "${buffon}" "${screen}")
  echo "${screen}: scale ${E2E_SCALE}, Buffon window with its frame ${edges}"
  e2e_quit "${buffon}" 427 187              # 終了
  e2e_cleanup
done
echo "projector: ok"
