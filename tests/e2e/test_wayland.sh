#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real binary as a native Wayland client of a headless weston: title ->
# menu -> Monte Carlo, its explanation, a run of 200 points, the quit
# question answered Yes, and the program ends with status 0. Every window,
# the boxes too, is a top-level of weston's scene graph with the program's
# app id and its title.
# Weston emulates no pointer or keyboard, so the buttons are pressed and
# the input box filled in over the accessibility bus (AT-SPI's Action and
# EditableText), as assistive technology does. Minimising a window needs
# the pointer on Qt's title bar; that a minimised window comes back is
# tst_windowing's minimise table.
[ -n "${E2E_SESSION:-}" ] || exec dbus-run-session -- env E2E_SESSION=1 bash "$0" "$@"
source "$(dirname "$0")/lib.sh"
here="$(dirname "$0")"
python=/usr/bin/python3
e2e_need weston weston-debug
"${python}" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  e2e_skip "no AT-SPI bindings for python3 (python3-gi, gir1.2-atspi-2.0)"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  e2e_skip "no Qt Wayland platform plugin (qt6-wayland)"

runtime="$(mktemp -d)"
chmod 700 "${runtime}"
trap 'e2e_cleanup; rm -rf "${runtime}"' EXIT
export XDG_RUNTIME_DIR="${runtime}" WAYLAND_DISPLAY=sorvena-e2e
unset DISPLAY LC_ALL LC_MESSAGES LANGUAGE
export LANG=C.UTF-8 QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
weston --backend=headless-backend.so --use-pixman --idle-time=0 --socket="${WAYLAND_DISPLAY}" --debug \
  >"${runtime}/weston.log" 2>&1 &
E2E_WMPID=$!
started() { [ -S "${runtime}/${WAYLAND_DISPLAY}" ] && kill -0 "${E2E_WMPID}" 2>/dev/null; }
e2e_retry 100 0.1 started || e2e_fail "weston did not start: $(tail -n 5 "${runtime}/weston.log")"
# The bus is there before the program, as on a desktop: Qt joins one that
# runs, and would join a later one only after its first windows.
"${python}" "${here}/atspi.py" bus || e2e_fail "no accessibility bus"

E2E_LOG="${runtime}/app.log"
"$1" >"${E2E_LOG}" 2>&1 &
E2E_PID=$!

a11y() { "${python}" "${here}/atspi.py" "$1" "${E2E_PID}" "${@:2}" || e2e_fail "atspi.py $*"; }

# The program's top-levels in weston, one "TITLE<TAB>APP ID" a line.
windows() {
  timeout 10 weston-debug scene-graph 2>/dev/null |
    sed -n "s/.*role xdg_toplevel, PID ${E2E_PID}, .*top-level window '\(.*\)' of \([^,]*\), .*/\1\t\2/p" || true
}
# Waits until a window titled $1 is shown ($2 = 1) or not (0); every window
# of the program must carry its app id meanwhile.
await() {
  local title="$1" want="$2" list
  for _ in $(seq 1 600); do
    list="$(windows)"
    awk -F '\t' '$2 != "org.sorvena.Sorvena"' <<<"${list}" | grep . >&2 && e2e_fail "a window without the app id"
    [ "$(awk -F '\t' -v t="${title}" '$1 == t { n++ } END { print (n > 0) }' <<<"${list}")" = "${want}" ] && return 0
    e2e_ended && e2e_fail "program ended while waiting for '${title}'"
    sleep 0.1
  done
  echo "${list}" >&2
  e2e_fail "window '${title}' $([ "${want}" = 1 ] && echo not shown || echo still shown)"
}

title='Sorvena 制作　ソルヴェナ開発室'
menu='Sorvena Menu'
form='モンテカルロ法を利用してπの近似値を求める'
box='打つ点の個数の設定'

await "${title}" 1
a11y press "${title}" 次へ
await "${menu}" 1
await "${title}" 0
a11y press "${menu}" 'モンテカルロ法を利用してπを求める'
await "${form}" 1
await "${menu}" 0
a11y press "${form}" 解説
a11y press "${form}" 実験                    # enabled once the page is shown
await "${box}" 1
a11y type "${box}" 200
a11y press "${box}" OK
await "${box}" 0
a11y wait "${form}" '^打った点の総数＝ *200 / *200$'
a11y press "${form}" 終了                    # enabled again once the run has ended
await Sorvena 1
a11y press Sorvena はい
e2e_expect_exit 0
echo "wayland: ok"
