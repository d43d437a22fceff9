#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `sorvena --compare` opens the comparison alone, with the chart module
# loaded from beside the program. Through the desktop's file dialog it
# saves the chart as SVG, where the eight curves must be drawn in their
# eight colours, and the table as CSV, with a column per method and a row
# per sampled step; closing the window ends the program.
source "$(dirname "$0")/lib.sh"
work="$(mktemp -d)"
trap 'e2e_cleanup; rm -rf "${work}"' EXIT

# Saves through the dialog that `keys` opens; waits for the file.
save_as() {
  local id="$1" keys="$2" title="$3" path="$4" box
  e2e_keys_to "${id}" "${keys}"
  box=$(e2e_window "${title}")
  e2e_type_to "${box}" "${path}"
  xdotool key --clearmodifiers Return
  e2e_retry 100 0.1 test -s "${path}" || e2e_fail "nothing saved at ${path}"
  e2e_gone "${title}"
}

command -v openbox >/dev/null && E2E_WM=openbox
e2e_start "$1" --compare
id=$(e2e_window '^収束を比べる$')
e2e_hidden '^Sorvena Menu$|制作' || e2e_fail "--compare also showed the title or the menu"

save_as "${id}" ctrl+s 'グラフを保存' "${work}/chart.svg"
for colour in '#000000' '#e69f00' '#56b4e9' '#009e73' '#d55e00' '#0072b2' '#cc79a7' '#882255'; do
  grep -qi "stroke=\"${colour}\"" "${work}/chart.svg" || e2e_fail "no curve drawn in ${colour}"
done

save_as "${id}" ctrl+e 'CSV を保存' "${work}/table.csv"
header=$(head -n 1 "${work}/table.csv")
[[ "${header}" == n,polygon,montecarlo,buffon,wallis,leibniz,euler,matsunaga1,matsunaga2,* ]] ||
  e2e_fail "table header: ${header}"
rows=$(( $(wc -l <"${work}/table.csv") - 1 ))
# Every step to 100, then a hundred a decade to 10000.
[ "${rows}" -eq 300 ] || e2e_fail "${rows} rows in the table"
awk -F, 'NR > 1 && NF != 17 { bad = 1 } END { exit bad }' "${work}/table.csv" || e2e_fail "a row without 17 cells"
last=$(tail -n 1 "${work}/table.csv" | cut -d, -f1,6)
[ "${last}" = "10000,$("${E2E_BIN}" --table leibniz 10000 | tail -n 1 | cut -d, -f2)" ] ||
  e2e_fail "the comparison's Gregory-Leibniz value at 10000 is not the table's: ${last}"

e2e_close_request "${id}"
e2e_expect_exit 0

# A table refuses what it does not know, without a display: status 2, one
# line on standard error, nothing on standard output.
for refused in "leibniz -3" "leibniz 10 -platform xcb" "circle"; do
  status=0
  # shellcheck disable=SC2086
  env -u DISPLAY "${E2E_BIN}" --table ${refused} >"${work}/out" 2>"${work}/err" || status=$?
  [ "${status}" -eq 2 ] && [ ! -s "${work}/out" ] && [ "$(wc -l <"${work}/err")" -eq 1 ] ||
    e2e_fail "--table ${refused}: status ${status}, $(wc -c <"${work}/out") bytes out, $(cat "${work}/err")"
done
echo "compare: ok"
