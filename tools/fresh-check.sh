#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands on a new Debian 12, word for word: a bare root made
# by debootstrap (minbase), this repository's current commit cloned into it,
# and in a chroot, as root:
#   apt-get install make git sudo
#   git clone <this repository> sorvena && cd sorvena
#   make run    (there is no display: the program runs offscreen, and once
#                it has run for RUN_SECONDS it is ended, which counts as
#                success; make's own status then says nothing)
#   make test   (its packages installed first by make test-deps, as make
#                test itself does; then it runs in a network namespace of
#                its own, as on a machine of its own)
# Reports how many packages each step installed, how long it took, and
# CTest's summary lines. Not part of make test: it downloads several hundred
# MB and runs the whole suite twice (plain and sanitized).
# Usage (as root): tools/fresh-check.sh [DIR]
#   DIR  where the root is made (default: a new folder in /var/tmp), removed
#        afterwards unless KEEP=1; the logs stay in DIR.logs
set -euo pipefail
[ "$(id -u)" = 0 ] || { echo "fresh-check: debootstrap and chroot need root" >&2; exit 1; }
repo="$(cd "$(dirname "$0")/.." && pwd)"
base="${1:-$(mktemp -d /var/tmp/sorvena-fresh.XXXXXX)}"
root="${base}/root"
logs="${base}.logs"
run_seconds="${RUN_SECONDS:-20}"
mkdir -p "${root}" "${logs}"
root="$(cd "${root}" && pwd)"

bash "${repo}/tools/install-deps.sh" fresh

# The mirror this machine uses for bookworm, else Debian's own.
mirror=$(awk '/^URIs:/ { uri = $2 } /^Suites:/ && / bookworm( |$)/ { print uri; exit }' \
  /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
mirror="${mirror:-http://deb.debian.org/debian}"

mounts=(proc sys dev dev/pts dev/shm)
# Whatever runs in the root has been started by this check: it is ended by
# its id, then the mounts go, and only then the folder.
cleanup() {
  local status=$? p left=""
  for p in /proc/[0-9]*; do
    [ "$(readlink "${p}/root" 2>/dev/null)" = "${root}" ] && kill -KILL "${p#/proc/}" 2>/dev/null || true
  done
  for (( i = ${#mounts[@]} - 1; i >= 0; i-- )); do
    mountpoint -q "${root}/${mounts[i]}" && { umount "${root}/${mounts[i]}" || umount -l "${root}/${mounts[i]}"; }
  done
  for p in "${mounts[@]}"; do mountpoint -q "${root}/${p}" && left="${left} ${p}"; done
  if [ -n "${left}" ]; then
    echo "fresh-check: still mounted in ${root}:${left}; not removed" >&2
  elif [ "${KEEP:-0}" != 1 ]; then
    rm -rf "${base}"
  fi
  exit "${status}"
}
trap cleanup EXIT INT TERM

packages() { chroot "${root}" dpkg-query -W -f='${db:Status-Abbrev}\n' | grep -c '^ii'; }
minutes() { awk -v s=$(( $(date +%s) - $1 )) 'BEGIN { printf "%.1f", s / 60 }'; }
# In the root as a newcomer's root shell: no variables of ours. With
# ISOLATED=1 in a network of its own, as on a machine of its own: the X
# servers of the host's tests are then out of reach of the root's, and
# theirs of ours.
in_root() {
  local enter=(chroot "${root}")
  [ "${ISOLATED:-0}" = 1 ] && enter=(unshare --net -- sh -c 'ip link set lo up 2>/dev/null; exec "$@"' sh "${enter[@]}")
  "${enter[@]}" /usr/bin/env -i HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "$1"
}
report=()
# step LOG COMMAND: runs the command in the root, logs it to $logs/LOG.log
# and notes the packages it installed and the minutes it took.
step() {
  local before start status=0
  before=$(packages) start=$(date +%s)
  echo "fresh-check: $2"
  in_root "$2" >"${logs}/$1.log" 2>&1 || status=$?
  report+=("$(printf '%-52s %4d packages more, %5s min, status %d' "$2" $(( $(packages) - before )) \
    "$(minutes "${start}")" "${status}")")
  return "${status}"
}

start=$(date +%s)
echo "fresh-check: debootstrap --variant=minbase bookworm ${root} ${mirror}"
debootstrap --variant=minbase bookworm "${root}" "${mirror}" >"${logs}/debootstrap.log" 2>&1 ||
  { tail -n 20 "${logs}/debootstrap.log" >&2; exit 1; }
report+=("$(printf '%-52s %4d packages,      %5s min' "debootstrap --variant=minbase bookworm" "$(packages)" \
  "$(minutes "${start}")")")
cp /etc/resolv.conf "${root}/etc/resolv.conf"
for m in "${mounts[@]}"; do mount --bind "/${m}" "${root}/${m}"; done

# The repository as committed now, cloned in the root by the root's git.
git -C "${repo}" diff --quiet HEAD || echo "fresh-check: uncommitted changes are left out" >&2
git -C "${repo}" bundle create "${root}/root/sorvena.bundle" HEAD "$(git -C "${repo}" rev-parse --abbrev-ref HEAD)" 2>/dev/null
commit=$(git -C "${repo}" log -1 --format='%h %s')

# -y: the one answer the README's reader gives by hand.
step install 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y make git sudo'
step clone 'cd /root && git clone sorvena.bundle sorvena'

# make run, ended once the program has run for a while.
echo "fresh-check: make run"
before=$(packages) start=$(date +%s) ran="" pid=""
in_root 'cd /root/sorvena && QT_QPA_PLATFORM=offscreen make run' >"${logs}/run.log" 2>&1 &
make_run=$!
while kill -0 "${make_run}" 2>/dev/null; do
  if [ -z "${pid}" ]; then
    for p in /proc/[0-9]*; do
      [ "$(cat "${p}/comm" 2>/dev/null)" = sorvena ] && [ "$(readlink "${p}/root" 2>/dev/null)" = "${root}" ] &&
        pid="${p#/proc/}" ran=$(date +%s)
    done
  elif [ $(( $(date +%s) - ran )) -ge "${run_seconds}" ]; then
    kill "${pid}" 2>/dev/null || true
    break
  fi
  sleep 1
done
wait "${make_run}" 2>/dev/null || true
report+=("$(printf '%-52s %4d packages more, %5s min, %s' "make run" $(( $(packages) - before )) \
  "$(minutes "${start}")" "$([ -n "${pid}" ] && echo "the program ran ${run_seconds} s" || echo "NO PROGRAM")")")

# make test, its packages first (make test's own first step), then the rest
# without the network.
test_status=0
step test-deps 'cd /root/sorvena && make test-deps' &&
  ISOLATED=1 step test 'cd /root/sorvena && make test' || test_status=$?

echo
echo "fresh-check of ${commit}"
echo "on Debian $(cat "${root}/etc/debian_version") (debootstrap minbase) from ${mirror}:"
printf '  %s\n' "${report[@]}"
echo "  installed in all: $(packages) packages"
echo "CTest summaries (plain suite, then sanitized):"
grep -aE 'tests passed, [0-9]+ tests failed out of|Total Test time|^\s+[0-9]+ - .*\(' "${logs}/test.log" |
  sed 's/^/  /' || echo "  none: see ${logs}/test.log"
[ -n "${pid}" ] && [ "${test_status}" = 0 ]
