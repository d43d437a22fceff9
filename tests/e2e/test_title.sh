#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program starts on its title window at the design size; "終了"
# asks; Enter answers Yes (the default button) and the program exits 0.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

title=$(e2e_window '制作')
[ "$(e2e_size "${title}")" = "303x199" ] || e2e_fail "title size $(e2e_size "${title}")"

e2e_quit "${title}" 547 187                 # 終了
echo "title: ok"
