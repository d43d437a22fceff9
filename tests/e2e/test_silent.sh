#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Without its sound files the program works all the same, in silence:
# started from a folder that has none of them, with none beside it.
source "$(dirname "$0")/lib.sh"
alone="$(mktemp -d)"
trap 'e2e_cleanup; rm -rf "${alone}"' EXIT
cp "$1" "${alone}/sorvena"
cp "$(dirname "$1")/sorvena-audio.so" "${alone}/"
cd "${alone}"
e2e_start "${alone}/sorvena"

title=$(e2e_window '制作')
e2e_click_twips "${title}" 4027 187         # 次へ
menu=$(e2e_window '^Sorvena Menu$')
e2e_click_twips "${menu}" 2347 $(( 960 + 187 ))
window=$(e2e_window '^モンテカルロ法を利用してπの近似値を求める$')
e2e_click_twips "${window}" 1267 187        # メニュー
menu=$(e2e_window '^Sorvena Menu$')
e2e_click_twips "${menu}" 2347 5347         # 終　　　　　了
box=$(e2e_window '^Sorvena$')
e2e_keys_to "${box}" Return
e2e_expect_exit 0
echo "silent: ok"
