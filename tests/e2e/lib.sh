# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for driving the real binary under Xvfb with xdotool.
# Usage: source lib.sh; e2e_start <binary> [argument...]; ... ; e2e_finish
# E2E_SCREEN sets the size of the X screen (WxHxDepth), E2E_WM a window
# manager to run in it, E2E_SCALE the scale at which the windows are drawn,
# E2E_DISPLAYS the display numbers the X server may take (a space-separated
# list, for a machine shared with others; else one at random).
set -euo pipefail

E2E_BIN=""
E2E_PID=""
E2E_XVFB=""
E2E_LOG=""
E2E_XLOG=""
E2E_WMPID=""

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "${E2E_LOG}" ] && [ -f "${E2E_LOG}" ]; then sed 's/^/  app: /' "${E2E_LOG}" | tail -n 20 >&2; fi
  if [ -n "${E2E_XLOG}" ] && [ -f "${E2E_XLOG}" ]; then
    sed 's/^/  X: /' "${E2E_XLOG}" | tail -n 10 >&2
    echo "  X server ${E2E_XVFB} alive: $(e2e_running "${E2E_XVFB}" && echo yes || echo no)" >&2
  fi
  if [ -n "${DISPLAY:-}" ]; then import -window root "e2e-failure-$$.png" 2>/dev/null || true; fi
  exit 1
}

e2e_cleanup() {
  e2e_stop_sink
  [ -n "${E2E_PID}" ] && kill "${E2E_PID}" 2>/dev/null || true
  [ -n "${E2E_WMPID}" ] && kill "${E2E_WMPID}" 2>/dev/null || true
  E2E_PID=""; E2E_WMPID=""
  # Wait for the X server to be gone, so that nothing of a test outlives it.
  if [ -n "${E2E_XVFB}" ]; then
    kill "${E2E_XVFB}" 2>/dev/null || true
    wait "${E2E_XVFB}" 2>/dev/null || true
    E2E_XVFB=""
  fi
}
trap e2e_cleanup EXIT

# Starts a private X server and the program, with any further arguments;
# sets DISPLAY.
e2e_start() {
  E2E_BIN="$1"
  shift
  e2e_xserver
  # A window manager first when one is asked for (E2E_WM, a command).
  if [ -n "${E2E_WM:-}" ]; then
    ${E2E_WM} >/dev/null 2>&1 &
    E2E_WMPID=$!
    e2e_retry 100 0.1 e2e_wm_running || e2e_fail "${E2E_WM} did not start"
  fi
  E2E_LOG="$(mktemp)"
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
  unset QT_QPA_PLATFORM
  # The designed Japanese interface, whatever the machine's language, unless
  # a test names languages (E2E_LANGUAGE, E2E_LANG).
  unset LC_ALL LC_MESSAGES LANGUAGE
  export LANG="${E2E_LANG:-C.UTF-8}"
  if [ -n "${E2E_LANGUAGE:-}" ]; then export LANGUAGE="${E2E_LANGUAGE}"; fi
  "${E2E_BIN}" "$@" >"${E2E_LOG}" 2>&1 &
  E2E_PID=$!
}

# Whether CI is set, as CI systems set it (to anything but empty, 0 or false).
e2e_ci() { [ -n "${CI:-}" ] && [ "${CI}" != 0 ] && [ "${CI,,}" != false ]; }

# Something the test needs is missing ($* says what): the test is skipped
# (status 77), or under CI it fails, so that a machine lacking a tool cannot
# pass having run nothing. e2e_missing only says so, for a case left out
# while the rest of the test runs.
e2e_missing() {
  if e2e_ci; then e2e_fail "$* (CI is set, so nothing may be skipped)"; fi
  echo "skip: $*"
}
e2e_skip() {
  e2e_missing "$@"
  exit 77
}

# The machine is busy with something the test must not disturb, which no
# install can cause or cure: a skip even under CI, said on stderr there.
e2e_skip_busy() {
  echo "skip: $*"
  if e2e_ci; then echo "skipped under CI: $*" >&2; fi
  exit 77
}

# Skips the test unless every tool named is installed.
e2e_need() {
  local tool
  for tool; do command -v "${tool}" >/dev/null || e2e_skip "${tool} is not on the PATH"; done
}

e2e_wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Runs a command until it succeeds, at most $1 times more after the first
# try, $2 seconds apart; returns its last status.
e2e_retry() {
  local tries="$1" pause="$2"
  shift 2
  for _ in $(seq 1 "${tries}"); do
    "$@" && return 0
    sleep "${pause}"
  done
  "$@"
}

# Whether display $1 is taken: by a server that has its lock file in this
# /tmp, or by one of another root or container on the same network, whose
# lock this /tmp does not show but whose abstract socket the kernel lists.
# Clients would reach that one, as they try the abstract socket first.
e2e_display_taken() {
  [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ] || grep -q " @/tmp/.X11-unix/X$1\$" /proc/net/unix
}

# Whether a child runs; one that has ended stays a zombie until waited for,
# and kill -0 still finds it.
e2e_running() { [ -r "/proc/$1/stat" ] && [ "$(cut -d ' ' -f 3 "/proc/$1/stat")" != Z ]; }

# Starts a private X server alone; sets DISPLAY.
e2e_xserver() {
  # A random display number, clear of a real display and of the other
  # tests' servers. -noreset matters: without it the server resets when its
  # last client (the readiness probe below) leaves, and refuses the
  # program's connection while it does.
  local n="" attempt displays
  read -ra displays <<<"${E2E_DISPLAYS:-}"
  for attempt in $(seq 1 20); do
    n=$(( 100 + RANDOM % 900 ))
    if [ ${#displays[@]} -gt 0 ]; then
      n="${displays[0]}"
      displays=("${displays[@]:1}" "${n}")
    fi
    e2e_display_taken "${n}" && continue
    E2E_XLOG="$(mktemp)"
    Xvfb ":${n}" -noreset -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp >"${E2E_XLOG}" 2>&1 &
    E2E_XVFB=$!
    export DISPLAY=":${n}"
    for _ in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && break
      e2e_running "${E2E_XVFB}" || break
      sleep 0.1
    done
    e2e_running "${E2E_XVFB}" && xdpyinfo >/dev/null 2>&1 && break
    kill "${E2E_XVFB}" 2>/dev/null || true
    wait "${E2E_XVFB}" 2>/dev/null || true
    E2E_XVFB=""
  done
  [ -n "${E2E_XVFB}" ] || e2e_fail "no X server could be started"
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

# Whether a visible window's name matches the regex, now.
e2e_shown() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)" ]; }
e2e_hidden() { ! e2e_shown "$1"; }

# Waits until no visible window matches.
e2e_gone() { e2e_retry 100 0.1 e2e_hidden "$1" || e2e_fail "window '$1' still shown"; }

# Client size "WxH" of a window.
e2e_size() {
  xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'
}

# The scale at which the title window (4545 twips, 303 pixels wide at
# scale 1) is drawn.
e2e_scale() { e2e_size "$1" | awk -F x '{ printf "%.2f", $1 / 303 }'; }

# Clicks at a point given in twips of the window's client area.
e2e_click_twips() {
  local id="$1" x y
  x=$(awk -v t="$2" -v s="${E2E_SCALE:-1}" 'BEGIN { print int(t / 15 * s) }')
  y=$(awk -v t="$3" -v s="${E2E_SCALE:-1}" 'BEGIN { print int(t / 15 * s) }')
  xdotool mousemove --window "${id}" "${x}" "${y}" click 1
  sleep 0.2
}

# Clicks the centre of a button given as left top width height (twips).
e2e_press() { e2e_click_twips "$1" $(( $2 + $4 / 2 )) $(( $3 + $5 / 2 )); }

# The program's usual ways between its windows, by their buttons; each
# prints the id of the window it leads to.
# "次へ" of the title window: the menu.
e2e_next() {
  e2e_click_twips "$1" 4027 187
  e2e_window '^Sorvena Menu$'
}
# The menu button whose top is $2 (twips): the window captioned $3.
e2e_open() {
  e2e_click_twips "$1" 2347 $(( $2 + 187 ))
  e2e_window "^$3\$"
}
# "メニュー" of a method window: the menu.
e2e_back() {
  e2e_click_twips "$1" 1267 187
  e2e_window '^Sorvena Menu$'
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

# Waits for a message or box titled as the regex $1; answers it with keys.
# (The exits stop a caller that runs in a command substitution, where
# set -e is off.)
e2e_answer() {
  local box
  box=$(e2e_window "$1") || exit 1
  shift
  e2e_keys_to "${box}" "$@"
}

# The quit question, answered No (Escape); waits until it has gone.
e2e_decline() { e2e_answer '^Sorvena$' Escape && e2e_gone '^Sorvena$'; }

# The quit question asked by a click at ($2, $3) twips of window $1,
# answered Yes (Return): the program must end with status 0.
e2e_quit() { e2e_click_twips "$1" "$2" "$3" && e2e_answer '^Sorvena$' Return && e2e_expect_exit 0; }

# Types $2 into the input box titled as the regex $1, then Enter; waits
# until the box has gone.
e2e_input() {
  local box
  box=$(e2e_window "$1") || exit 1
  e2e_type_to "${box}" "$2"
  e2e_keys_to "${box}" Return
  e2e_gone "$1"
}

e2e_ended() { ! kill -0 "${E2E_PID}" 2>/dev/null; }

# Waits for the program to exit; checks its status.
e2e_expect_exit() {
  local want="$1" status=0
  e2e_retry 100 0.1 e2e_ended || e2e_fail "program still running"
  wait "${E2E_PID}" || status=$?
  E2E_PID=""
  [ "${status}" = "${want}" ] || e2e_fail "exit status ${status}, wanted ${want}"
}

# Sends a window the close request that a window manager sends when the
# frame's close box is clicked (WM_PROTOCOLS / WM_DELETE_WINDOW). Under a
# bare Xvfb there is no manager to do it, and `xdotool windowclose` would
# destroy the window instead of asking it.
e2e_close_request() {
  python3 - "$1" <<'PY' || e2e_fail "could not send a close request to $1"
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("no display")
window = int(sys.argv[1], 0)
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
if not x.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x.XCloseDisplay(display)  # flushes and waits until the server has the event
PY
}

# Captures a window's client area into a PNG file.
e2e_shot() {
  # import waits for ever on a window that has gone away
  timeout 20 import -window "$1" "$2" 2>/dev/null || e2e_fail "no screenshot of window $1"
}

# How many pixels of text ("ink": black or coloured, not grey or white) lie
# in a rectangle given in twips (left top width height) of a screenshot,
# 3 pixels inside its edges so that borders and frames do not count. An
# enabled button shows ink, a disabled one grey text; a label with text
# shows ink, an empty one none.
e2e_ink() {
  local file="$1" l=$(( $2 / 15 + 3 )) t=$(( $3 / 15 + 3 )) w=$(( $4 / 15 - 6 )) h=$(( $5 / 15 - 6 ))
  convert "${file}" -crop "${w}x${h}+${l}+${t}" +repage -channel RGB -separate \
    -evaluate-sequence Min -threshold 40% -format '%[fx:round(w*h*(1-mean))]' info:
}

# A checksum of the pixels of such a rectangle, to see whether it changes.
e2e_pixels() {
  local file="$1" l=$(( $2 / 15 )) t=$(( $3 / 15 )) w=$(( $4 / 15 )) h=$(( $5 / 15 ))
  convert "${file}" -crop "${w}x${h}+${l}+${t}" +repage rgb:- | md5sum | cut -c1-32
}

# Prints, for the buttons given as "left top width height" in twips, a
# string of 1 (enabled) and 0 (disabled), in the given order, as seen in a
# screenshot (e2e_button_map) or in the window now (e2e_buttons).
e2e_button_map() {
  local file="$1" map="" rect
  shift
  for rect in "$@"; do
    # shellcheck disable=SC2086
    if [ "$(e2e_ink "${file}" ${rect})" -gt 0 ]; then map="${map}1"; else map="${map}0"; fi
  done
  echo "${map}"
}

e2e_buttons() { e2e_now e2e_button_map "$@"; }

# Runs e2e_ink, e2e_pixels or e2e_button_map ($1) on a screenshot of the
# window $2 taken now, with the further arguments.
e2e_now() {
  local what="$1" id="$2" shot out
  shift 2
  shot="$(mktemp --suffix=.png)"
  e2e_shot "${id}" "${shot}"
  out=$("${what}" "${shot}" "$@")
  rm -f "${shot}"
  echo "${out}"
}

# Waits until the buttons show the wanted map (see e2e_buttons).
e2e_wait_buttons() {
  local id="$1" want="$2" seen=""
  shift 2
  for _ in $(seq 1 100); do
    seen=$(e2e_buttons "${id}" "$@")
    [ "${seen}" = "${want}" ] && return 0
    kill -0 "${E2E_PID}" 2>/dev/null || e2e_fail "program ended while waiting for buttons ${want}"
    sleep 0.1
  done
  e2e_fail "buttons ${seen}, wanted ${want}"
}

# A private PulseAudio server whose default sink is a null sink recorded
# into $1/rec.raw (22050 Hz mono, 16 bit). Returns 77 where no server can
# run, for the caller to skip (e2e_skip).
E2E_SINK_PIDS=""
e2e_recording_sink() {
  local dir="$1" pa keep rec
  command -v pulseaudio >/dev/null && command -v parec >/dev/null || return 77
  export XDG_RUNTIME_DIR="${dir}"
  export PULSE_RUNTIME_PATH="${dir}/pulse"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
    -L "module-null-sink sink_name=rec rate=22050 channels=1" -L "module-native-protocol-unix" \
    >"${dir}/pa.log" 2>&1 &
  pa=$!
  E2E_SINK_PIDS="${pa}"
  for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || return 77
  pactl set-default-sink rec
  # A silent stream keeps the sink running, so the recording keeps real time.
  pacat --raw --format=s16le --rate=22050 --channels=1 /dev/zero 2>/dev/null & keep=$!
  parec -d rec.monitor --raw --format=s16le --rate=22050 --channels=1 >"${dir}/rec.raw" 2>/dev/null & rec=$!
  E2E_SINK_PIDS="${rec} ${keep} ${pa}"
}

e2e_stop_sink() {
  [ -n "${E2E_SINK_PIDS}" ] || return 0
  # shellcheck disable=SC2086
  kill ${E2E_SINK_PIDS} 2>/dev/null || true
  # shellcheck disable=SC2086
  wait ${E2E_SINK_PIDS} 2>/dev/null || true
  E2E_SINK_PIDS=""
}

# Loudness of the recording in $1/rec.raw, in tenths of a second, one
# number per line.
e2e_levels() {
  od -An -v -td2 -w4410 "$1/rec.raw" |
    awk 'NF == 2205 { s = 0; for (i = 1; i <= NF; i++) s += $i * $i; print int(sqrt(s / NF)) }'
}

# How many tenths the recording in $1 holds so far.
e2e_tenths() { e2e_levels "$1" | wc -l; }

# How many of the tenths after tenth $2 (0: all) of the recording in $1 are
# loud; only the first $3 of them when given.
e2e_loud() {
  e2e_levels "$1" | awk -v from="${2:-0}" -v n="${3:-}" \
    'NR > from && (n == "" || NR <= from + n) && $1 > 300 { c++ } END { print c + 0 }'
}

# Waits until the recording in $1 holds $2 tenths.
e2e_recorded_to() {
  for _ in $(seq 1 600); do [ "$(e2e_tenths "$1")" -ge "$2" ] && return 0; sleep 0.05; done
  e2e_fail "the recording stopped growing"
}

# Left, top, right and bottom of a window with its frame, once the window
# manager has framed it.
e2e_framed() {
  local extents="" x y w h left right top bottom
  for _ in $(seq 1 50); do
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -o '[0-9, ]*$' | tr -d ' ' || true)
    [ -n "${extents}" ] && break
    sleep 0.1
  done
  [ -n "${extents}" ] || e2e_fail "no frame extents for $1"
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
  IFS=, read -r left right top bottom <<<"${extents}"
  echo "$(( x - left )) $(( y - top )) $(( x + w + right )) $(( y + h + bottom ))"
}

# The same edges, once checked to lie wholly on a screen of WxH ($2).
e2e_on_screen() {
  local edges l t r b
  edges=$(e2e_framed "$1") || exit 1
  read -r l t r b <<<"${edges}"
  (( l >= 0 && t >= 0 && r <= ${2%x*} && b <= ${2#*x} )) ||
    e2e_fail "$2: window $1 with its frame, ${l},${t}-${r},${b}, leaves the screen"
  echo "${edges}"
}
