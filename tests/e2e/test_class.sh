#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The class session from the real program: sorvena --class montecarlo on a
# free port, its pupils in headless Chromium (class_pupils.py says what
# they do and check); the program must end cleanly when its window closes
# under a connected pupil.
source "$(dirname "$0")/lib.sh"
python=/usr/bin/python3
e2e_need Xvfb chromium chromedriver
"${python}" -c 'import selenium' 2>/dev/null || e2e_skip "no Selenium for python3 (python3-selenium)"

# A data folder of its own: a fresh database, no earlier pool to resume.
data="$(mktemp -d)"
trap 'e2e_cleanup; rm -rf "${data}"' EXIT
export XDG_DATA_HOME="${data}"
port=$("${python}" -c 'import socket; s = socket.socket(); s.bind(("", 0)); print(s.getsockname()[1])')
e2e_start "$1" --class montecarlo --port "${port}"

line=""
for _ in $(seq 1 300); do
  line=$(grep -m1 -E '^http://[^ ]+:[0-9]+/ [0-9A-Z]+$' "${E2E_LOG}" || true)
  [ -n "${line}" ] && break
  e2e_running "${E2E_PID}" || e2e_fail "program ended before its class session started"
  sleep 0.1
done
[ -n "${line}" ] || e2e_fail "no address line on stdout"
read -r address code <<<"${line}"
[[ "${address}" == *":${port}/" ]] || e2e_fail "address ${address} is not on port ${port}"
database=$(find "${data}" -name class.sqlite | head -n 1)
[ -n "${database}" ] || e2e_fail "no class.sqlite under ${data}"

window=$(e2e_window '^クラスの実験')
close="bash -c 'source \"\$0\" && e2e_close_request \"\$1\"' $(dirname "$0")/lib.sh ${window}"
"${python}" "$(dirname "$0")/class_pupils.py" "${address}" "${code}" "${database}" "${E2E_PID}" "${close}" \
  "${SORVENA_SHOTS:-}" || e2e_fail "the pupils' run failed"
e2e_expect_exit 0

# The teacher's program killed: the next --class offers the same pool, and
# yes takes it up, code and chunks as they were, twice over.
verified() {
  "${python}" - "${database}" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
print(*db.execute("SELECT COUNT(*), COALESCE(SUM(throws), 0), COALESCE(SUM(hits), 0) FROM chunks WHERE verified = 1").fetchone())
PY
}
before=$(verified)
[ "${before%% *}" -gt 0 ] || e2e_fail "no verified chunk to resume"
for round in 1 2; do
  log="$(mktemp)"
  "$1" --class montecarlo --port "${port}" >"${log}" 2>&1 &
  E2E_PID=$!
  question=$(e2e_window '^クラスの実験$')
  xdotool windowfocus --sync "${question}" 2>/dev/null || true
  xdotool key Return
  again=""
  for _ in $(seq 1 300); do
    again=$(grep -m1 -E '^http://[^ ]+:[0-9]+/ [0-9A-Z]+$' "${log}" || true)
    [ -n "${again}" ] && break
    sleep 0.1
  done
  [ "${again##* }" = "${code}" ] || e2e_fail "round ${round}: resumed with code '${again##* }', not ${code}"
  kill -KILL "${E2E_PID}"
  wait "${E2E_PID}" 2>/dev/null || true
  E2E_PID=""
  rm -f "${log}"
done
[ "$(verified)" = "${before}" ] || e2e_fail "the pool changed across the kills: ${before} became $(verified)"
echo "class: resumed twice after a kill with ${before} (chunks, throws, hits)"
