#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real binary as a native Wayland client of weston (its X11 back end,
# inside Xvfb, so that xdotool can drive it): title -> menu -> Monte Carlo,
# a run, the quit question answered Yes. Every window carries the
# program's app id. Then in lesson mode: the Monte Carlo window minimised
# from Qt's title bar (weston has no task bar) comes back when the lesson
# controller is used.
# E2E_SHOTS=dir keeps a screenshot there.
# Weston's X11 back end now and then loses the pointer's moves for a whole
# run: every click then lands in its corner, on its terminal launcher. A run
# that fails starts again with a new X server and weston, five tries in all;
# a fault of the program fails them all.
if [ -z "${E2E_WAYLAND_TRY:-}" ]; then
  for try in 1 2 3 4 5; do
    status=0
    E2E_WAYLAND_TRY="${try}" bash "$0" "$@" || status=$?
    [ "${status}" = 0 ] || [ "${status}" = 77 ] && exit "${status}"
    echo "wayland: try ${try} failed" >&2
  done
  exit 1
fi
source "$(dirname "$0")/lib.sh"
e2e_need weston weston-debug
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  { echo "no Qt Wayland platform: skipped"; exit 77; }

e2e_xserver
runtime="$(mktemp -d)"
chmod 700 "${runtime}"
trap 'e2e_cleanup; rm -rf "${runtime}"' EXIT
# Only the program and weston's tools see the compositor: xdotool talks X.
export XDG_RUNTIME_DIR="${runtime}"
socket=sorvena-e2e
weston --backend=x11-backend.so --use-pixman --idle-time=0 --socket="${socket}" \
  --width=1000 --height=800 --debug >"${runtime}/weston.log" 2>&1 &
E2E_WMPID=$!
if ! e2e_retry 100 0.1 test -S "${runtime}/${socket}"; then
  sed 's/^/  weston: /' "${runtime}/weston.log" | tail -n 10
  echo "weston did not start: skipped"
  exit 77
fi
find_output() { output=$(xdotool search --classname '^weston' 2>/dev/null | head -n 1 || true); [ -n "${output}" ]; }
e2e_retry 100 0.1 find_output || e2e_fail "no weston output window"
xdotool windowfocus --sync "${output}" 2>/dev/null || true

E2E_LOG="${runtime}/app.log"
start() {
  WAYLAND_DISPLAY="${socket}" QT_QPA_PLATFORM=wayland "${binary}" "$@" >"${E2E_LOG}" 2>&1 &
  E2E_PID=$!
}
binary="$1"
start

scene() { WAYLAND_DISPLAY="${socket}" timeout 10 weston-debug scene-graph 2>/dev/null; }
# Whether weston shows a window titled $1 (grep reads to the end: quitting
# early would break the pipe, a failure under pipefail).
in_scene() { scene | grep -F "window '$1'" >/dev/null; }
not_in_scene() { ! in_scene "$1"; }

# The top-left corner of a window's client area in weston's output, from
# weston's scene graph, once a window titled as given is shown.
# With a number of tries, returns 1 when the window does not come.
client_at() {
  local title="$1" tries="${2:-100}" at=""
  for _ in $(seq 1 "${tries}"); do
    # A window mapped again may have no opaque region: then its client area
    # lies inside Qt's title bar and borders (3 pixels, 30 at the top).
    at=$(scene | awk -v t="'${title}' of org.sorvena.Sorvena" '
      index($0, "top-level window " t) { found = 1; next }
      found && /position: \(/ { gsub(/[(),]/, " "); x = $2 + 3; y = $3 + 30 }
      found && /opaque: \(/ { gsub(/[(),]/, " "); x = $2; y = $3 }
      found && (/View [0-9]/ || /outputs:/) { print x, y; exit }' || true)
    # A moment for the first frame to be drawn and take input.
    [ -n "${at}" ] && { sleep 0.5; echo "${at}"; return 0; }
    kill -0 "${E2E_PID}" 2>/dev/null || e2e_fail "program ended while waiting for '${title}'"
    sleep 0.1
  done
  [ -n "${2:-}" ] && return 1
  e2e_fail "no window '${title}' of org.sorvena.Sorvena in weston"
}

# Clicks a button of the window at "x y" that opens the window titled $5,
# again while it has not come and the window titled $4 is still shown: on
# a loaded machine a first click can come before a window takes input.
click_to() {
  local at=""
  for _ in 1 2 3 4 5; do
    click "$1" "$2" "$3"
    at=$(client_at "$5" 30) && { echo "${at}"; return 0; }
    # Left, but the new window is slow: wait for it as for any other.
    in_scene "$4" || break
  done
  client_at "$5"
}

gone() { e2e_retry 100 0.1 not_in_scene "$1" || e2e_fail "window '$1' still shown"; }

# Clicks a point given in twips of a client area at "x y".
click() {
  local at=($1)
  xdotool mousemove --window "${output}" $(( at[0] + $2 / 15 )) $(( at[1] + $3 / 15 )) click 1
  sleep 0.2
}

caption='モンテカルロ法を利用してπの近似値を求める'
# Title -> menu -> Monte Carlo; sets form.
open_montecarlo() {
  local title menu
  title=$(client_at 'Sorvena 制作　ソルヴェナ開発室')
  menu=$(click_to "${title}" 4027 187 'Sorvena 制作　ソルヴェナ開発室' 'Sorvena Menu')  # 次へ
  gone 'Sorvena 制作　ソルヴェナ開発室'
  form=$(click_to "${menu}" 2347 1147 'Sorvena Menu' "${caption}")  # モンテカルロ法
}
open_montecarlo

png="${runtime}/form.png"
# Whether a rectangle of the last screenshot of the form shows text.
inked() { [ "$(e2e_ink "${png}" "$@")" -gt 0 ]; }
# A new screenshot of the form's client area (5535 x 7860 twips), with
# text in each rectangle given.
shows() {
  local at=(${form}) rect
  timeout 20 import -window "${output}" -crop "$(( 5535 / 15 ))x$(( 7860 / 15 ))+${at[0]}+${at[1]}" +repage "${png}" ||
    e2e_fail "no screenshot"
  # shellcheck disable=SC2086
  for rect in "$@"; do inked ${rect} || return 1; done
}
# "実験" is enabled once "解説" has shown the explanation.
click "${form}" 4147 187                   # 解説
e2e_retry 50 0.2 shows "4560 0 975 375" || true
click_to "${form}" 5047 187 "${caption}" '打つ点の個数の設定' >/dev/null  # 実験
xdotool type --delay 50 200
xdotool key Return
gone '打つ点の個数の設定'
# The run has ended when "実験" is enabled again and the count is shown.
e2e_retry 100 0.2 shows "4560 0 975 375" "360 5760 4815 375" || true
inked 4560 0 975 375 || e2e_fail "the run did not end"
inked 360 5760 4815 375 || e2e_fail "no count after the run"
[ -n "${E2E_SHOTS:-}" ] && timeout 20 import -window "${output}" "${E2E_SHOTS}/wayland-montecarlo.png"

click_to "${form}" 427 187 "${caption}" 'Sorvena' >/dev/null  # 終了
xdotool key Return
e2e_expect_exit 0

start --lesson
open_montecarlo
controller=($(client_at '授業モード'))
# Qt's title bar: minimise is the third button from the right, 60 pixels
# left of the client area's right edge, 15 above its top.
at=(${form})
# Each click is given again while it has had no effect, as click_to does.
for _ in 1 2 3 4 5; do
  xdotool mousemove --window "${output}" $(( at[0] + 5535 / 15 - 60 )) $(( at[1] - 15 )) click 1
  e2e_retry 30 0.1 not_in_scene "${caption}" && break
done
gone "${caption}"
# "全速", the tempo already chosen: pressing it changes nothing else.
for _ in 1 2 3 4 5; do
  xdotool mousemove --window "${output}" $(( controller[0] + 245 )) $(( controller[1] + 38 )) click 1
  form=$(client_at "${caption}" 30) && break
done
form=$(client_at "${caption}")
click_to "${form}" 427 187 "${caption}" 'Sorvena' >/dev/null  # 終了
xdotool key Return
e2e_expect_exit 0
echo "wayland: ok"
