#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The folders depend one way: shell/ on the method windows, lesson/ and
# compare/; each method window and lesson/ on platform/ only; compare/ on
# platform/ and the methods' rules only; platform/ on none of them. Prints
# every include
# that goes against this and fails if there is one.
# Usage: check_layers.sh SOURCE_ROOT
set -uo pipefail
root="$1"
methods=(series polygon montecarlo buffon)
status=0

# forbid FOLDER REGEX: FOLDER's files include nothing from the folders REGEX names.
forbid() {
  local hits
  hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<](\.\./)*(${2})/" \
    "${root}/${1}"/*.h "${root}/${1}"/*.cpp 2>/dev/null)
  if [ -n "${hits}" ]; then
    echo "${1}/ may not include from ${2//|/\/, }/:"
    sed "s|^${root}/||" <<<"${hits}"
    status=1
  fi
}

all=$(IFS='|'; echo "${methods[*]}")
forbid platform "shell|lesson|compare|${all}"
forbid lesson "shell|${all}"
for m in "${methods[@]}"; do
  others=$(printf '%s\n' "${methods[@]}" | grep -vx "${m}" | paste -sd'|')
  forbid "${m}" "shell|lesson|compare|${others}"
done
forbid compare "shell|lesson"
# From the method folders compare/ takes the plain rules, never a window.
rules='series/SeriesMath\.h|polygon/PolygonRules\.h|montecarlo/MonteCarloRules\.h|buffon/NeedleRules\.h'
hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<](${all})/" "${root}"/compare/*.h "${root}"/compare/*.cpp 2>/dev/null |
  grep -vE "[\"<](${rules})[\">]")
if [ -n "${hits}" ]; then
  echo "compare/ may include only the rules of the method folders:"
  sed "s|^${root}/||" <<<"${hits}"
  status=1
fi
[ "${status}" -eq 0 ] && echo "layers: shell -> method windows, lesson, compare -> platform, no include against it"
exit "${status}"
