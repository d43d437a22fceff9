#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in English (LANGUAGE=en, LANG=en_US.UTF-8), read as a
# screen reader reads it: the title window and the menu hold no Japanese;
# a Monte Carlo run and a series run label their numbers in English, the
# series result the same number as the Japanese program gives for the same
# input; the quit question is English and Yes ends the program.
[ -n "${E2E_SESSION:-}" ] || exec dbus-run-session -- env E2E_SESSION=1 bash "$0" "$@"
source "$(dirname "$0")/lib.sh"
python=/usr/bin/python3
"${python}" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  e2e_skip "no AT-SPI bindings for python3 (python3-gi, gir1.2-atspi-2.0)"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
here="$(dirname "$0")"

# The patterns name characters: grep reads UTF-8 whatever the program's locale.
grep() { LC_ALL=C.UTF-8 command grep "$@"; }
texts() { "${python}" "${here}/texts.py" "${E2E_PID}" 2>/dev/null || true; }
japanese() { grep -P '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}\x{FF61}-\x{FF9F}]' || true; }

# Waits until the objects on screen include a line matching the regex; prints them.
wait_text() {
  local pattern="$1" seen=""
  for _ in $(seq 1 150); do
    seen="$(texts)"
    grep -qP -- "${pattern}" <<<"${seen}" && { echo "${seen}"; return 0; }
    kill -0 "${E2E_PID}" 2>/dev/null || e2e_fail "program ended while waiting for '${pattern}'"
    sleep 0.2
  done
  echo "${seen}" >&2
  e2e_fail "nothing on screen matches '${pattern}'"
}

no_japanese() {
  local found
  found="$(japanese <<<"$2")"
  [ -z "${found}" ] || e2e_fail "$1 shows Japanese: ${found}"
}

# Matsunaga series 1 to its 100th term, in the language started; prints
# the result label.
series_result() {
  local menu window box seen
  menu=$(e2e_window '^Sorvena Menu$')
  e2e_press "${menu}" 360 3960 3975 375        # Matsunaga 1
  window=$(e2e_window "$1")
  e2e_press "${window}" 8160 0 855 375         # next: the page
  e2e_press "${window}" 3360 0 1695 375        # calculate
  box=$(e2e_window "$2")
  e2e_type_to "${box}" 100
  e2e_keys_to "${box}" Return
  seen="$(wait_text "^label\t$3")"
  for _ in $(seq 1 100); do
    grep -qP '(Stop\]|中止］)' <<<"${seen}" || break
    sleep 0.2; seen="$(texts)"
  done
  grep -P "^label\t$3" <<<"${seen}" | head -n 1 | cut -f2
}

# The Japanese program first, for the series result to compare with.
e2e_start "$1"
title=$(e2e_window '制作')
e2e_next "${title}" >/dev/null
japanese_result="$(series_result 'マツナガ ヨシスケの公式１' '^計算させる項数の入力$' 'π＝')"
[ -n "${japanese_result}" ] || e2e_fail "no Japanese result"
e2e_cleanup

E2E_LANGUAGE=en E2E_LANG=en_US.UTF-8 e2e_start "$1"
title=$(e2e_window 'Sorvena team$')
name="$(xdotool getwindowname "${title}")"
no_japanese "the title bar" "${name}"
seen="$(wait_text '^push button\tNext$')"
no_japanese "the title window" "${seen}"
grep -qP '^label\tBy the Sorvena team$' <<<"${seen}" || e2e_fail "no English credit: ${seen}"

menu=$(e2e_next "${title}")                  # Next
seen="$(wait_text '^push button\tπ by the Monte Carlo method$')"
no_japanese "the menu" "${seen}"
[ "$(grep -c '^push button' <<<"${seen}")" -ge 9 ] || e2e_fail "the menu has not its nine buttons: ${seen}"

e2e_press "${menu}" 360 960 3975 375         # Monte Carlo
window=$(e2e_window '^Approximating .* with the Monte Carlo method$')
e2e_press "${window}" 3720 0 855 375         # Explain
e2e_press "${window}" 4560 0 975 375         # Run
box=$(e2e_window '^Number of points$')
seen="$(wait_text '^label\tHow many points')"
no_japanese "the input box" "${seen}"
e2e_type_to "${box}" 500
e2e_keys_to "${box}" Return
# A colon of prose is read as a pause.
seen="$(wait_text '^label\tPoints thrown, 500 of 500$')"
inside=$(grep -oP '^label\tPoints inside the circle, \K\d+$' <<<"${seen}") || e2e_fail "no count inside: ${seen}"
pi=$(grep -oP '^label\tπ ≈ \K[0-9]\.[0-9]{14}$' <<<"${seen}") || e2e_fail "no estimate: ${seen}"
# The estimate is 4m / n (in single precision) with 14 decimals, as in Japanese.
[ "$(printf '%.5f' "${pi}")" = "$(awk -v m="${inside}" 'BEGIN { printf "%.5f", 4 * m / 500 }')" ] ||
  e2e_fail "π = ${pi} for ${inside} of 500 points"
e2e_press "${window}" 840 0 855 375          # Menu

english_result="$(series_result "Matsunaga Yoshisuke's formula 1$" '^Number of terms$' 'π ≈')"
[ "${english_result#π ≈}" = "${japanese_result#π＝}" ] ||
  e2e_fail "English '${english_result}', Japanese '${japanese_result}'"

window=$(e2e_window "Matsunaga Yoshisuke's formula 1$")
e2e_press "${window}" 0 0 855 375            # Quit
box=$(e2e_window '^Sorvena$')
seen="$(wait_text '^label\tDo you want to quit Sorvena\?$')"
grep -qP '^push button\tYes$' <<<"${seen}" && grep -qP '^push button\tNo$' <<<"${seen}" ||
  e2e_fail "the question's buttons: ${seen}"
e2e_keys_to "${box}" Return
e2e_expect_exit 0
echo "english: ok (${english_result}; Monte Carlo π = ${pi})"
