#!/usr/bin/env bash
# Real sound through a private PulseAudio server with a null sink: the tune
# plays on the title window, "次へ" cuts it off with the click cue, and the
# quit question sounds its cue. What reaches the sink is recorded from its
# monitor and measured. Skips (77) where no PulseAudio server can run.
source "$(dirname "$0")/lib.sh"
command -v pulseaudio >/dev/null && command -v parec >/dev/null || { echo "no pulseaudio: skipped"; exit 77; }

work="$(mktemp -d)"
export XDG_RUNTIME_DIR="${work}"
export PULSE_RUNTIME_PATH="${work}/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
  -L "module-null-sink sink_name=rec rate=22050 channels=1" -L "module-native-protocol-unix" \
  >"${work}/pa.log" 2>&1 &
pa=$!
keep=""; rec=""
trap 'e2e_cleanup; kill ${rec} ${keep} ${pa} 2>/dev/null; rm -rf "${work}"' EXIT
for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { echo "pulseaudio did not start: skipped"; exit 77; }
pactl set-default-sink rec
# A silent stream keeps the sink running, so the recording keeps real time.
pacat --raw --format=s16le --rate=22050 --channels=1 /dev/zero 2>/dev/null & keep=$!
parec -d rec.monitor --raw --format=s16le --rate=22050 --channels=1 >"${work}/rec.raw" 2>/dev/null & rec=$!

# Loudness of the recording in tenths of a second, one number per line.
levels() {
  od -An -v -td2 -w4410 "${work}/rec.raw" | awk 'NF == 2205 { s = 0; for (i = 1; i <= NF; i++) s += $i * $i; print int(sqrt(s / NF)) }'
}
loud_since() { levels | tail -n +"$(( $1 + 1 ))" | awk '$1 > 300 {n++} END {print n + 0}'; }
# Waits until the recording reaches the given tenth.
recorded_to() {
  for _ in $(seq 1 600); do [ "$(levels | wc -l)" -ge "$1" ] && return 0; sleep 0.05; done
  e2e_fail "the recording stopped growing"
}
# Waits until $2 tenths after tenth $1 are loud; gives up once $3 tenths
# after it are recorded.
heard_within() {
  while [ "$(loud_since "$1")" -lt "$2" ]; do
    [ "$(levels | wc -l)" -ge "$(( $1 + $3 ))" ] && return 1
    sleep 0.05
  done
}

e2e_start "$1"
title=$(e2e_window '制作')
heard_within 0 10 100 || e2e_fail "the tune was not heard"

# The click cue after "次へ"; then the tune must be gone: of the two seconds
# after the menu has appeared, only the cue's tail may be loud.
mark=$(levels | wc -l)
e2e_click_twips "${title}" 4027 187
menu=$(e2e_window '^Sorvena Menu$')
after=$(levels | wc -l)
recorded_to $(( after + 20 ))
[ "$(loud_since "${mark}")" -ge 2 ] || e2e_fail "the click cue was not heard"
tail_loud=$(levels | tail -n +"$(( after + 1 ))" | head -n 20 | awk '$1 > 300 {n++} END {print n + 0}')
[ "${tail_loud}" -le 8 ] || e2e_fail "the tune went on after the click (${tail_loud} loud tenths of 20)"

mark=$(levels | wc -l)
e2e_click_twips "${menu}" 2347 5347
box=$(e2e_window '^Sorvena$')
heard_within "${mark}" 2 30 || e2e_fail "the quit cue was not heard"
e2e_keys_to "${box}" Return
e2e_expect_exit 0
echo "sound: ok"
