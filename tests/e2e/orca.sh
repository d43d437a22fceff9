# SPDX-License-Identifier: GPL-3.0-or-later
# The real screen reader for a run under Xvfb: Orca 43 on a private
# session bus, with a speech server of its own that speaks into nothing,
# its debug log kept current in ORCA_LOG.
# Usage: source orca.sh; orca_home DIR; orca_bus; e2e_start ... (the X
# server); orca_start; orca_ready || ...; ...; orca_stop; orca_stop_bus.
# It stands on lib.sh, sourced here unless it already is.
declare -F e2e_fail >/dev/null ||
  source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ORCA_PID=""
ORCA_LOG=""
ORCA_DIR=""
BUS_PID=""
SPEECH_PID=""

# Orca refuses to start while another Orca of the same user runs, on any
# display; it finds them by process name, and so does this.
other_orcas() {
  local p
  for p in /proc/[0-9]*; do
    [ "${p#/proc/}" != "${ORCA_PID}" ] && [ -O "${p}" ] && [ "$(cat "${p}/comm" 2>/dev/null)" = orca ] && echo "${p#/proc/}"
  done
  return 0
}

# A home of our own in $1: espeak-ng speaks into a null sound device, and
# Orca's settings and speech-dispatcher's files stay in there.
orca_home() {
  ORCA_DIR="$1"
  ORCA_LOG="${ORCA_DIR}/orca.log"
  export HOME="${ORCA_DIR}/home" XDG_RUNTIME_DIR="${ORCA_DIR}/run" XDG_CONFIG_HOME="${ORCA_DIR}/home/.config"
  export XDG_DATA_HOME="${ORCA_DIR}/home/.local/share" XDG_CACHE_HOME="${ORCA_DIR}/home/.cache"
  mkdir -p "${HOME}" "${XDG_CONFIG_HOME}" "${XDG_RUNTIME_DIR}"
  chmod 700 "${XDG_RUNTIME_DIR}"
  echo 'pcm.!default { type null }' >"${HOME}/.asoundrc"
  # Workaround(Orca 43): its debug file is block-buffered; sitecustomize makes it line-buffered.
  # Orca's debug file is block-buffered; line-buffered, the log is current.
  mkdir -p "${ORCA_DIR}/py"
  cat >"${ORCA_DIR}/py/sitecustomize.py" <<'PY'
import builtins, os
_open = builtins.open
_log = os.environ.get("SORVENA_ORCA_LOG")
def _line_buffered(file, mode="r", *args, **kwargs):
    if _log and file == _log and "w" in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return _open(file, mode, *args, **kwargs)
builtins.open = _line_buffered
PY
  export SORVENA_ORCA_LOG="${ORCA_LOG}" PYTHONPATH="${ORCA_DIR}/py${PYTHONPATH:+:${PYTHONPATH}}"
}

# A private session bus; the accessibility bus is started from it on demand.
orca_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"${ORCA_DIR}/bus" >/dev/null 2>&1 &
  BUS_PID=$!
  e2e_retry 100 0.1 test -s "${ORCA_DIR}/bus" || e2e_fail "no session bus"
  DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "${ORCA_DIR}/bus")"
  export DBUS_SESSION_BUS_ADDRESS
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0
}

# Starts the speech server, then Orca, on the X server of DISPLAY.
orca_start() {
  # Our own speech server, ready before Orca connects, rather than one that
  # Orca spawns and that would outlive the run.
  # Its audio goes to ALSA's null device: the server-side and PulseAudio
  # outputs it tries first fail here and leave the synthesis module dead.
  mkdir -p "${XDG_RUNTIME_DIR}/speech-dispatcher"
  cp -r /etc/speech-dispatcher "${XDG_CONFIG_HOME}/"
  echo 'AudioOutputMethod "alsa"' >>"${XDG_CONFIG_HOME}/speech-dispatcher/speechd.conf"
  setsid speech-dispatcher -s -t 0 -C "${XDG_CONFIG_HOME}/speech-dispatcher" -c unix_socket \
    -S "${XDG_RUNTIME_DIR}/speech-dispatcher/speechd.sock" >"${ORCA_DIR}/speechd.out" 2>&1 &
  SPEECH_PID=$!
  e2e_retry 100 0.1 test -S "${XDG_RUNTIME_DIR}/speech-dispatcher/speechd.sock" || true
  orca --debug-file="${ORCA_LOG}" >"${ORCA_DIR}/orca.out" 2>&1 &
  ORCA_PID=$!
}

# Waits until Orca has started: 0 once it has, 77 when it ended because
# another Orca of this user runs, 1 when it ended otherwise (see
# ${ORCA_DIR}/orca.out).
orca_ready() {
  for _ in $(seq 1 600); do
    grep -aq "ORCA: Startup complete" "${ORCA_LOG}" 2>/dev/null && return 0
    if ! kill -0 "${ORCA_PID}" 2>/dev/null; then
      ORCA_PID=""
      [ -z "$(other_orcas)" ] || return 77
      return 1
    fi
    sleep 0.1
  done
  return 1
}

orca_stop() {
  # Workaround(Orca 43): it ignores SIGTERM while idle, so it is killed.
  # Orca ignores SIGTERM while idle; only ours is ended, by its id.
  [ -n "${ORCA_PID}" ] && kill -KILL "${ORCA_PID}" 2>/dev/null || true
  # The speech server and its synthesis module, in the group of their own.
  [ -n "${SPEECH_PID}" ] && kill -KILL -- "-${SPEECH_PID}" 2>/dev/null || true
  ORCA_PID=""; SPEECH_PID=""
}

orca_stop_bus() {
  [ -n "${BUS_PID}" ] && kill "${BUS_PID}" 2>/dev/null || true
  BUS_PID=""
}
