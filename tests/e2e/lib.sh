# Helpers for driving the real binary under Xvfb with xdotool.
# Usage: source lib.sh; e2e_start <binary>; ... ; e2e_finish
set -euo pipefail

E2E_BIN=""
E2E_PID=""
E2E_XVFB=""
E2E_LOG=""

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "${E2E_LOG}" ] && [ -f "${E2E_LOG}" ]; then sed 's/^/  app: /' "${E2E_LOG}" | tail -n 20 >&2; fi
  if [ -n "${DISPLAY:-}" ]; then import -window root "e2e-failure-$$.png" 2>/dev/null || true; fi
  exit 1
}

e2e_cleanup() {
  [ -n "${E2E_PID}" ] && kill "${E2E_PID}" 2>/dev/null || true
  [ -n "${E2E_XVFB}" ] && kill "${E2E_XVFB}" 2>/dev/null || true
}
trap e2e_cleanup EXIT

# Starts a private X server and the program; sets DISPLAY.
e2e_start() {
  E2E_BIN="$1"
  # Xvfb picks a free display itself and writes its number to the pipe,
  # so parallel runs never collide.
  local fifo n=""
  fifo="$(mktemp -u)"
  mkfifo "${fifo}"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"${fifo}" >/dev/null 2>&1 &
  E2E_XVFB=$!
  read -r -t 10 n <"${fifo}" || true
  rm -f "${fifo}"
  [ -n "${n}" ] || e2e_fail "Xvfb did not start"
  export DISPLAY=":${n}"
  for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb did not answer"
  E2E_LOG="$(mktemp)"
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
  unset QT_QPA_PLATFORM
  "${E2E_BIN}" >"${E2E_LOG}" 2>&1 &
  E2E_PID=$!
}

# Waits for a visible window whose name matches the regex; prints its id.
e2e_window() {
  local pattern="$1" id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "${pattern}" 2>/dev/null | head -n 1 || true)
    [ -n "${id}" ] && { echo "${id}"; return 0; }
    kill -0 "${E2E_PID}" 2>/dev/null || e2e_fail "program ended while waiting for '${pattern}'"
    sleep 0.1
  done
  e2e_fail "no window '${pattern}'"
}

# Waits until no visible window matches.
e2e_gone() {
  local pattern="$1"
  for _ in $(seq 1 100); do
    [ -z "$(xdotool search --onlyvisible --name "${pattern}" 2>/dev/null || true)" ] && return 0
    sleep 0.1
  done
  e2e_fail "window '${pattern}' still shown"
}

# Client size "WxH" of a window.
e2e_size() {
  xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'
}

# Clicks at a point given in twips of the window's client area.
e2e_click_twips() {
  local id="$1" x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  xdotool mousemove --window "${id}" "${x}" "${y}" click 1
  sleep 0.2
}

# Answers the open message or input box with keys (e.g. Return, or text).
e2e_keys_to() {
  local id="$1"; shift
  xdotool windowfocus --sync "${id}" 2>/dev/null || true
  xdotool key --clearmodifiers "$@"
}

e2e_type_to() {
  local id="$1" text="$2"
  xdotool windowfocus --sync "${id}" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 20 "${text}"
}

# Waits for the program to exit; checks its status.
e2e_expect_exit() {
  local want="$1" status=0
  for _ in $(seq 1 100); do
    kill -0 "${E2E_PID}" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "${E2E_PID}" 2>/dev/null && e2e_fail "program still running"
  wait "${E2E_PID}" || status=$?
  E2E_PID=""
  [ "${status}" = "${want}" ] || e2e_fail "exit status ${status}, wanted ${want}"
}
