#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `sorvena --class montecarlo --port P` opens the class window alone and
# prints one line, the address with its port and the join code; a second
# program asked for the same port says so in a box and on stderr, naming
# --port, and ends with status 1; closing the class window ends the first.
source "$(dirname "$0")/lib.sh"
work="$(mktemp -d)"
trap 'e2e_cleanup; rm -rf "${work}"' EXIT
export XDG_DATA_HOME="${work}/data" # no pool kept from an earlier run, so no question
port=$(( 40000 + RANDOM % 20000 ))

e2e_start "$1" --class montecarlo --port "${port}"
id=$(e2e_window '^クラスの実験：モンテカルロ法$')
e2e_hidden '^Sorvena Menu$|制作' || e2e_fail "--class also showed the title or the menu"
line() { grep -E "^http://[0-9.]+:${port}/ [A-Z0-9]{6}$" "${E2E_LOG}"; }
e2e_retry 50 0.1 line >/dev/null || e2e_fail "no address and code on standard output"
[ "$(line | wc -l)" = 1 ] || e2e_fail "the address printed more than once"

status=0
"$1" --class buffon --port "${port}" >"${work}/out" 2>"${work}/err" &
second=$!
e2e_answer '^クラスの実験$' Return
wait "${second}" || status=$?
[ "${status}" = 1 ] || e2e_fail "a taken port ended with status ${status}, wanted 1"
grep -q -- "--port" "${work}/err" || e2e_fail "a taken port's message does not name --port: $(cat "${work}/err")"
[ ! -s "${work}/out" ] || e2e_fail "a session that never started printed $(cat "${work}/out")"

e2e_close_request "${id}"
e2e_expect_exit 0
echo "class: address and code printed once, a taken port refused, closing ends the program"
