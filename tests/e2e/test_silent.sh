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
menu=$(e2e_next "${title}")
window=$(e2e_open "${menu}" 960 'モンテカルロ法を利用してπの近似値を求める')
menu=$(e2e_back "${window}")
e2e_quit "${menu}" 2347 5347                # 終　　　　　了
echo "silent: ok"
