#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Title -> menu -> every method window -> menu, by clicking real buttons,
# then quit from the menu.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

title=$(e2e_window '制作')
menu=$(e2e_next "${title}")
e2e_gone '制作'
[ "$(e2e_size "${menu}")" = "314x396" ] || e2e_fail "menu size $(e2e_size "${menu}")"

# Menu button tops and the caption of the window each opens.
while IFS='|' read -r top caption; do
  window=$(e2e_open "${menu}" "${top}" "${caption}")
  e2e_gone '^Sorvena Menu$'
  menu=$(e2e_back "${window}")
  e2e_gone "^${caption}\$"
done <<'LIST'
360|円の内接正多角形の周の長さからπの近似値を求める
960|モンテカルロ法を利用してπの近似値を求める
1560|ビュホンの針を利用してπの近似値を求める
2160|ウォーリスの公式を利用してπの近似値を求める
2760|グレゴリー・ライプニッツの公式を利用してπの近似値を求める
3360|オイラーの公式を利用してπの近似値を求める
3960|マツナガ ヨシスケの公式１を利用してπの近似値を求める
4560|マツナガ ヨシスケの公式２を利用してπの近似値を求める
LIST

e2e_quit "${menu}" 2347 5347                # 終　　　　　了
echo "navigation: ok"
