#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renews the README's pictures from the real program, under Xvfb and
# openbox: the polygon window beside the lesson controller after a run of
# its 96-gon, and the comparison of the eight methods.
# Usage: tools/screenshots.sh [BUILD_DIR]   (writes resources/screenshots/)
source "$(dirname "$0")/../tests/e2e/lib.sh"
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(realpath "${1:-${root}/build}/sorvena")"
out="${root}/resources/screenshots"
mkdir -p "${out}"
trap e2e_cleanup EXIT
export E2E_WM=openbox E2E_SCREEN=1440x1000x24 LANG=C.UTF-8 LANGUAGE=

# The frames of the given windows together, cut from the screen.
shoot() {
  local file="$1" left=100000 top=100000 right=0 bottom=0 id X Y WIDTH HEIGHT
  shift
  local l r t b
  for id in "$@"; do
    eval "$(xdotool getwindowgeometry --shell "${id}")"
    # The window manager's title bar and borders, as it says they are.
    read -r l r t b < <(xprop -id "${id}" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    (( X - l < left )) && left=$(( X - l ))
    (( Y - t < top )) && top=$(( Y - t ))
    (( X + WIDTH + r > right )) && right=$(( X + WIDTH + r ))
    (( Y + HEIGHT + b > bottom )) && bottom=$(( Y + HEIGHT + b ))
  done
  (( left < 0 )) && left=0
  (( top < 0 )) && top=0
  import -window root -crop "$(( right - left ))x$(( bottom - top ))+${left}+${top}" +repage "${out}/${file}"
  echo "screenshots: ${out}/${file}"
}

e2e_start "${bin}" --lesson
title=$(e2e_window '制作')
xdotool windowactivate "${title}" 2>/dev/null || true
menu=$(e2e_next "${title}")
polygons=$(e2e_open "${menu}" 360 '円の内接正多角形の周の長さからπの近似値を求める')
controller=$(e2e_window '^授業モード$')
# 解説, then 手動 up to the 11-gon, then 自動 to the 96-gon at full speed.
e2e_click_twips "${polygons}" 3427 187
for _ in 1 2 3 4 5 6 7 8 9; do e2e_click_twips "${polygons}" 5107 187; done
xdotool key --window "${controller}" plus plus plus 2>/dev/null || true
e2e_click_twips "${polygons}" 4267 187
e2e_window '^正何角形までの設定$' >/dev/null
xdotool key ctrl+a type 96
xdotool key Return
sleep 3
shoot lesson.png "${polygons}" "${controller}"
kill "${E2E_PID}" 2>/dev/null || true
wait "${E2E_PID}" 2>/dev/null || true

"${bin}" --compare >>"${E2E_LOG}" 2>&1 &
E2E_PID=$!
compare=$(e2e_window '^収束を比べる$')
sleep 2
shoot compare.png "${compare}"
