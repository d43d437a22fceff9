#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A blind pupil's session with the real screen reader: Orca on a private
# accessibility bus, keyboard only. Title -> menu -> Monte Carlo -> its page
# -> a run of 3,000 points -> the result -> a series window -> menu -> quit,
# then the comparison alone, checked against what Orca says (the SPEECH
# OUTPUT lines of its debug log).
source "$(dirname "$0")/lib.sh"
bin="$(realpath "$1")"

e2e_need orca speech-dispatcher setsid dbus-daemon xdotool Xvfb openbox
[ -x /usr/libexec/at-spi-bus-launcher ] || e2e_skip "no AT-SPI bus launcher (at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || e2e_skip "Orca's python modules are missing (python3-pyatspi)"

source "$(dirname "$0")/orca.sh"
skip_for_other_orca() {
  local pids
  pids="$(other_orcas | tr '\n' ' ')"
  [ -n "${pids}" ] || return 0
  # A busy machine, not a missing install: ending the user's screen reader
  # is out of the question, so this stays a skip under CI.
  e2e_skip_busy "another Orca of this user is running (pid ${pids% }), and Orca refuses to start twice"
}
skip_for_other_orca

work="$(mktemp -d)"
orca_home "${work}"
log="${ORCA_LOG}"
orca_cleanup() {
  local status=$?
  # What Orca heard and said, beside the screenshot of a failure.
  [ "${status}" = 0 ] || [ "${status}" = 77 ] || cp "${log}" "e2e-orca-failure-$$.log" 2>/dev/null || true
  orca_stop
  e2e_cleanup
  orca_stop_bus
  if [ -n "${KEEP_ORCA_LOG:-}" ]; then
    cp "${log}" "${KEEP_ORCA_LOG}" 2>/dev/null || true
    cp "${work}/app.log" "${KEEP_ORCA_LOG}.app" 2>/dev/null || true
  fi
  rm -rf "${work}"
}
trap orca_cleanup EXIT

orca_bus
# The X server with a window manager, then Orca, then the program.
E2E_WM=openbox
e2e_start /bin/true
wait "${E2E_PID}" 2>/dev/null || true
orca_start

lines() { wc -l <"${log}" 2>/dev/null || echo 0; }
# Waits until Orca says something matching the regex after line $2 of its
# log; generous, for a loaded machine. (No grep -q after a pipe: quitting
# early would break the pipe, a failure under pipefail.)
# hears returns 1 where said fails.
hears() {
  local pattern="$1" from="$2" seconds="${3:-30}"
  for _ in $(seq 1 $(( seconds * 10 ))); do
    tail -n +"$(( from + 1 ))" "${log}" 2>/dev/null | grep -a 'SPEECH OUTPUT' | grep -aE "${pattern}" >/dev/null && return 0
    kill -0 "${ORCA_PID}" 2>/dev/null || e2e_fail "Orca ended: $(tail -n 5 "${work}/orca.out")"
    sleep 0.1
  done
  return 1
}
said() {
  hears "$@" && return 0
  tail -n +"$(( $2 + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT' | tail -n 15 >&2
  e2e_fail "Orca did not say /$1/ within ${3:-30}s"
}
keys() { xdotool key --delay 150 "$@"; }
# Replaces the focused field's text with $1, whose last character occurs
# only there, and waits until Orca has echoed that character.
# Workaround(Orca 43): typing floods it; a key pressed before it catches up is handled after the focus it moves, unread.
typed() {
  local from
  from=$(lines)
  keys ctrl+a
  xdotool type --delay 50 "$1"
  said "'${1: -1} '" "${from}"
}
# Steps read from standard input, one a line: the keys pressed, the window
# that must then be shown ('-' for none), and what Orca must say after them.
steps() {
  local pressed window pattern from
  while IFS='|' read -r pressed window pattern; do
    from=$(lines)
    # shellcheck disable=SC2086
    keys ${pressed}
    [ "${window}" = - ] || e2e_window "${window}" >/dev/null
    said "${pattern}" "${from}"
  done
}

# Only another Orca of this user, started meanwhile, excuses an Orca that
# ends before it has started; Orca that starts must speak.
status=0
orca_ready || status=$?
[ "${status}" != 77 ] || skip_for_other_orca
[ "${status}" = 0 ] || e2e_fail "Orca ended as it started: $(tail -n 5 "${work}/orca.out")"
said 'Screen reader on' 0 1
E2E_LOG="${work}/app.log"
# The program's messages with the time, to set beside Orca's log.
"${bin}" > >(while IFS= read -r line; do printf '%s %s\n' "$(date +%T.%N)" "${line}"; done >"${E2E_LOG}") 2>&1 &
E2E_PID=$!

title=$(e2e_window '制作')
# The first window of a program nobody has touched yet may wait for the
# window manager's focus: the pupil's desktop hands it over. The title frame
# and its first button are read as the window appears. Should a loaded Orca
# miss that, the focus moving there and back brings it to Orca again.
# Workaround(Orca 43): a loaded Orca may miss the first window; a focus round trip repeats it.
xdotool windowactivate "${title}" 2>/dev/null || xdotool windowfocus "${title}" 2>/dev/null || true
for _ in 1 2; do
  hears '制作' 0 20 && break
  keys Tab shift+Tab
done
said '制作' 0 20
# Menu, Monte Carlo; 解説 hands the focus to 実験; the page is the next tab
# stop, read whole, and the arrows move through its paragraphs. 実験 then
# asks for the number of points.
steps <<'STEPS'
Tab|-|次へ
space|^Sorvena Menu$|Sorvena Menu
shift+Tab shift+Tab|-|モンテカルロ法を利用してπを求める
space|^モンテカルロ法を利用してπの近似値を求める$|モンテカルロ法を利用してπの近似値を求める
Tab Tab Tab|-|解説
space|-|実験
Tab|-|確率を利用して図形の面積や体積を求める方法をモンテカルロ法といいます
Down|-|平面上に
shift+Tab|-|実験
space|-|打つ点の個数の設定|何個の点を打ちますか
STEPS

# Letters are refused in words; 実験 asks again.
keys ctrl+a; xdotool type --delay 50 abc
from=$(lines); keys Return
said '「abc」は使えないため、取り消しました' "${from}"
steps <<'STEPS'
space|-|打つ点の個数の設定|何個の点を打ちますか
STEPS

# A run of 3,000 points by keyboard; the outcome is spoken unasked.
keys ctrl+a; xdotool type --delay 50 3000
run_from=$(lines)
app_from=$(wc -l <"${E2E_LOG}")
keys Return
said '打った点の総数＝ 3000 /  3000、.*π＝[0-9]' "${run_from}" 150
run_to=$(lines)
names=$(sed -n "${run_from},${run_to}p" "${log}" | grep -ac 'EVENT MANAGER: object:property-change:accessible-name for' || true)
echo "name changes Orca received during the run: ${names}"
[ "${names}" -lt 60 ] || e2e_fail "${names} name changes reached Orca during a 3,000-point run"
tail -n +"$(( app_from + 1 ))" "${E2E_LOG}" | grep -a 'keyEventError' | cut -c1-60 >&2 || true

# The drawing is read as it shows. Back to the menu and into a series
# window: 次へ announces 計算; the input box's field is read whole, the
# second box too (Orca once dropped its last figure); the run's π is
# spoken; the formula is a stop before the page.
steps <<'STEPS'
Tab|-|打った点 3000 個、円の内 [0-9]+ 個
shift+Tab shift+Tab|-|メニュー
space|-|Sorvena Menu
shift+Tab shift+Tab shift+Tab|-|ｸﾞﾚｺﾞﾘｰ
space|^グレゴリー・ライプニッツの公式を利用してπの近似値を求める$|グレゴリー・ライプニッツ
Tab Tab|-|次へ
space|-|計
STEPS
box_from=$(lines)
steps <<'STEPS'
space|-|計算させる項数の入力|第何項目まで
STEPS
said "OUTPUT: '10000 selected" "${box_from}"
! tail -n +"$(( box_from + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT' | grep -a "OUTPUT: '1000 selected" || e2e_fail "10000 read as 1000"
# A count it cannot use is replaced, and the notice is said as it appears.
keys ctrl+a; xdotool type --delay 50 1
from=$(lines); keys Return
said 'notification 第１００００項まで計算します' "${from}" 30
said 'π＝' "${from}" 150
steps <<'STEPS'
Tab|-|4 分の パイ イコール 1 ひく 3 分の 1
Tab|-|グレゴリー\(1671\)とライプニッツ
shift+Tab shift+Tab|-|次へ
STEPS

# A run of minutes: its progress is announced unasked, while the focus
# stays on 中止, which then ends it.
steps <<'STEPS'
space|-|計
space|-|計算させる項数の入力
STEPS
keys ctrl+a; xdotool type --delay 50 100000000
long_from=$(lines)
keys Return
started=$(date +%s)
said '計算した項' "${long_from}" 30
said '計算した項' "$(lines)" 30
while [ $(( $(date +%s) - started )) -lt 30 ]; do sleep 1; done
stop_from=$(lines)
keys space
said 'π＝' "${stop_from}" 30
progress=$(sed -n "${long_from},${stop_from}p" "${log}" | grep -a 'SPEECH OUTPUT' | grep -ac '計算した項' || true)
echo "progress heard during $(( $(date +%s) - started )) s: ${progress} times"

# Menu, then quit: the question is read, はい ends the program.
steps <<'STEPS'
shift+Tab|-|メニュー
space|-|Sorvena Menu
Tab Tab Tab Tab Tab|-|終
space|-|はい
STEPS
keys Return
e2e_expect_exit 0

# The comparison alone, by keyboard: the N box is read with its value and
# says its change; Tab passes もう一度, the seed field (its name, then its
# text: no bare number or "selected" before the name, no "unselected" as
# the focus leaves it) and the two savings; Down
# in the table reads the row's cells, each with its method and its n, and
# then the whole row, every method; Tab leaves the table; もう一度 and
# saving say so.
compare_from=$(lines)
"${bin}" --compare >>"${E2E_LOG}" 2>&1 &
E2E_PID=$!
compare=$(e2e_window '^収束を比べる$')
xdotool windowactivate "${compare}" 2>/dev/null || xdotool windowfocus "${compare}" 2>/dev/null || true
said '段数 N の上限.*combo box' "${compare_from}" 30
said "'10,000[.]'" "${compare_from}" 10
steps <<'STEPS'
Up|-|notification 段数 N の上限：1,000[.]
Tab|-|もう一度 push button
STEPS
seed_from=$(lines)
steps <<'STEPS'
Tab|-|乱数の種\(S\)： text
Tab Tab Tab|-|page tab list
STEPS
said "OUTPUT: '[0-9]+ selected[.]'" "${seed_from}" 5
seed_said=$(tail -n +"$(( seed_from + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT')
early=$(awk '/乱数の種/ { named = 1 } !named' <<<"${seed_said}" | grep -aE "OUTPUT: '([0-9]+|selected)'" || true)
[ -z "${early}" ] || e2e_fail "the seed field's text was said before its name: ${early}"
! grep -ai 'unselected' <<<"${seed_said}" || e2e_fail "leaving the seed field was said"
steps <<'STEPS'
Right Tab|-|table with 200 rows 17 columns
Down|-|ウォーリスの公式からπを求める、n＝2、2.66666666666667
Down|-|円の内接正多角形の周の長さからπを求める、n＝3、2.59807621135331
Down|-|notification n＝4.*(ビュホン.*マツナガ|マツナガ.*ビュホン)
Tab|-|段数 N の上限.*combo box
ctrl+r|-|notification 新しい乱数で実験しました。n＝1000 で、
STEPS
from=$(lines)
keys ctrl+e
e2e_window '^CSV を保存$' >/dev/null
said 'CSV を保存' "${from}"
# Qt's own dialog speaks the program's language.
said 'ファイル名\(N\): text' "${from}"
keys ctrl+a; xdotool type --delay 50 "${work}/table.csv"
# Typing floods Orca, which then drops what is not a key or a focus: Return
# only once it has caught up with the last letter.
# Workaround(Orca 43): typing floods it, so Return waits until the last letter is echoed.
said "'v '" "${from}"
keys Return
said "notification 保存しました：${work}/table.csv" "${from}"
[ -s "${work}/table.csv" ] || e2e_fail "no table saved"
e2e_close_request "${compare}"
e2e_expect_exit 0

# Lesson mode beside the polygon window: a manual step says its polygon,
# 自動's coming is said once, the lesson keys say what they did, and Space
# on 中止 presses 中止 rather than pausing.
LESSON_FROM=$(lines)
"${bin}" --lesson >>"${E2E_LOG}" 2>&1 &
E2E_PID=$!
title=$(e2e_window '制作')
e2e_window '^授業モード$' >/dev/null
xdotool windowactivate "${title}" 2>/dev/null || true
menu=$(e2e_next "${title}")
polygons=$(e2e_open "${menu}" 360 '円の内接正多角形の周の長さからπの近似値を求める')
xdotool windowactivate "${polygons}" 2>/dev/null || xdotool windowfocus "${polygons}" 2>/dev/null || true
from=$(lines)
e2e_click_twips "${polygons}" 3427 187
said '手動' "${from}"
steps <<'STEPS'
space|-|notification 正 *3角形、πの近似値＝ *2[.]598076
space space space space space space space space|-|notification 「自動」が使えます
m|-|notification 消音
m|-|notification 消音を解除
minus|-|notification 速さ：ゆっくり
plus|-|notification 速さ：ふつう
Tab|-|自動
space|-|何角形まで
STEPS
typed 1000009
# Counted before Return: the focus reaches 中止 and is read within the
# 150 ms that xdotool waits after the key.
from=$(lines)
keys Return
said '中止 push button' "${from}" 30
# S while paused says the step it took at once; held, the run says
# nothing more until it moves.
steps <<'STEPS'
p|-|notification 一時停止
s|-|notification １ステップ：正 *[0-9]+角形、πの近似値
STEPS
held_from=$(lines)
sleep 20
held=$(tail -n +"$(( held_from + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT' | grep -ac 'notification 正' || true)
[ "${held}" = 0 ] || e2e_fail "a paused run was said ${held} times in 20 s"
steps <<'STEPS'
p|-|notification 再開
space|-|自動 push button
STEPS
# F6 takes the keyboard to the controller, whose buttons read no value of
# a run gone by, and back; R reads the readings.
controller_from=$(lines)
steps <<'STEPS'
F6|-|授業モード
Tab|-|消音
F6|-|円の内接正多角形の周の長さからπの近似値を求める
r|-|notification いまの値 3[.][0-9]+、正しい桁数 [0-9]+ 桁、ｎ＝
STEPS
stale=$(tail -n +"$(( controller_from + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT' | grep -v 'notification' | grep -ac 'πの近似値＝' || true)
[ "${stale}" = 0 ] || e2e_fail "the controller read an old value ${stale} times"

autos=$(tail -n +"$(( LESSON_FROM + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT' | grep -ac '「自動」が使えます' || true)
[ "${autos}" = 1 ] || e2e_fail "「自動」が使えます said ${autos} times"
kill "${E2E_PID}" 2>/dev/null || true
wait "${E2E_PID}" 2>/dev/null || true

# In English, a page's rows that were broken to fit are read with a space
# between them; lesson mode's keys and a table row of the comparison are
# said in English too, and nothing said is Japanese.
# english TITLE [ARGUMENT...]: the program in English in place of the one
# before, once Orca has read its window titled as the regex TITLE.
english() {
  local title="$1" from window heard
  shift
  kill "${E2E_PID}" 2>/dev/null || true
  wait "${E2E_PID}" 2>/dev/null || true
  from=$(lines)
  LANGUAGE=en LANG=en_US.UTF-8 "${bin}" "$@" >>"${E2E_LOG}" 2>&1 &
  E2E_PID=$!
  window=$(e2e_window "${title}")
  [[ " $* " != *" --lesson "* ]] || e2e_window '^Lesson mode$' >/dev/null
  xdotool windowactivate "${window}" 2>/dev/null || xdotool windowfocus "${window}" 2>/dev/null || true
  heard="${title#^}"
  heard="${heard%$}"
  for _ in 1 2; do
    hears "${heard}" "${from}" 10 && return 0
    keys Tab shift+Tab
  done
  said "${heard}" "${from}"
}
english_from=$(lines)
english 'Sorvena team$'
steps <<'STEPS'
Tab|-|Next
space|^Sorvena Menu$|Sorvena Menu
shift+Tab shift+Tab|-|Monte Carlo method
space|^Approximating .* with the Monte Carlo method$|Monte Carlo method frame
Tab Tab Tab|-|Explain
space|-|Run
Tab|-|Using chance to find areas or volumes is called the Monte Carlo method
Down|-|Draw a square of side 2r and the circle of radius r that fits inside it
STEPS

# Lesson mode by keyboard alone: the polygons stepped by hand, then a run
# that P pauses, S steps with its polygon and value, P resumes; R reads.
english 'Sorvena team$' --lesson
steps <<'STEPS'
Tab|-|Next
space|^Sorvena Menu$|Sorvena Menu
shift+Tab shift+Tab shift+Tab|-|π from inscribed polygons
space|^Approximating .* with the perimeters of polygons inscribed in a circle$|polygons inscribed in a circle frame
Tab Tab|-|Explain
space|-|Step
space|-|notification Regular polygon with 3 sides, π ≈ 2[.]598076
space space space space space space space space|-|notification Auto can be used now
Tab|-|Auto
space|-|How many sides
STEPS
typed 1000009
from=$(lines)
keys Return
said 'Stop push button' "${from}" 30
steps <<'STEPS'
p|-|notification Paused
s|-|notification One step: Regular polygon with [0-9]+ sides, π ≈ [0-9.]+
p|-|notification Resumed
r|-|notification Value now [0-9.]+, [0-9]+ correct digits?, n = [0-9]+
STEPS

# The comparison's table: Down reads the next row whole, every method.
english '^Comparing convergence$' --compare
steps <<'STEPS'
Tab Tab Tab Tab Tab|-|page tab list
Right Tab|-|table with [0-9]+ rows 17 columns
Down|-|notification n = 2(; π [^:;]+: ([0-9.]+|none)){8}[.]
STEPS
japanese=$(tail -n +"$(( english_from + 1 ))" "${log}" | grep -a 'SPEECH OUTPUT' |
  LC_ALL=C.UTF-8 grep -aP '[\x{3000}-\x{30FF}\x{4E00}-\x{9FFF}\x{FF00}-\x{FFEF}]' || true)
[ -z "${japanese}" ] || e2e_fail "Japanese said in English: ${japanese}"
e2e_close_request "$(e2e_window '^Comparing convergence$')"
e2e_expect_exit 0

# awk reads to the end: head would leave grep a broken pipe, a failure under pipefail.
grep -a 'SPEECH OUTPUT' "${log}" | awk 'NR <= 80 { print "  " $0 }'
echo "orca: ok"
