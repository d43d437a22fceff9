#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The folders depend one way: shell/ on the method windows, lesson/ and
# charts/; those on platform/ (with platform/accessible/); platform/ on
# rules/; rules/ on nothing, not even Qt. The sound engine (audio/) and
# the chart module (charts/) are modules of their own: from outside, only
# their interfaces are included. Prints every include that goes against
# this and fails if there is one.
# Usage: check_layers.sh SOURCE_ROOT
set -uo pipefail
root="$1"
status=0

# folder: the folders its files may include from, besides its own.
declare -A allowed=(
  [shell]="series polygon experiments lesson charts platform rules"
  [series]="platform rules"
  [polygon]="platform rules"
  [experiments]="platform rules"
  [lesson]="charts platform rules"
  [charts]="platform rules"
  [platform]="audio rules"
  [audio]=""
  [rules]=""
)
# A module seen from outside: only its interface.
declare -A interface=([audio]="audio/SoundDevice.h" [charts]="charts/ChartsModule.h")

for folder in "${!allowed[@]}"; do
  while IFS=: read -r file line text; do
    included=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' <<<"${text}")
    target="${included%%/*}"
    [ "${included}" = "${target}" ] && continue # beside the file
    [ -n "${allowed[${target}]+set}" ] || continue # not one of ours
    [[ "${file}" == "${root}/${target}/"* ]] && continue
    if [[ " ${allowed[${folder}]} " != *" ${target} "* ]]; then
      echo "${file#"${root}"/}:${line}: ${folder}/ may not include ${included}"
      status=1
    elif [ -n "${interface[${target}]+set}" ] && [ "${included}" != "${interface[${target}]}" ]; then
      echo "${file#"${root}"/}:${line}: ${included} is inside a module; include ${interface[${target}]}"
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${root}/${folder}" --include='*.h' --include='*.cpp')
done

# The rules build without Qt.
if hits=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "${root}/rules" --include='*.h' --include='*.cpp'); then
  sed "s|^${root}/||; s|$|  (rules/ is plain C++)|" <<<"${hits}"
  status=1
fi

[ "${status}" -eq 0 ] && echo "layers: shell -> windows, lesson, charts -> platform -> rules; no include against it"
exit "${status}"
