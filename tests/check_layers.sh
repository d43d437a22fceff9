#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the linker cannot see of the layers (cmake/Rooms.cmake links each room
# alone, so a call against the way the rooms depend fails the build): the
# sound engine (audio/) and the chart module (charts/) are loaded modules,
# whose insides no other folder includes, only their interfaces; the method
# windows, one library, never include one another; and rules/ builds
# without Qt. Prints every include that goes against this and fails
# if there is one.
# Usage: check_layers.sh SOURCE_ROOT
set -uo pipefail
root="$1"
status=0

# The program's folders, and each module with its interface.
folders=(shell series polygon experiments lesson charts class platform audio rules)
windows=(series polygon experiments)
declare -A interface=([audio]="audio/SoundDevice.h" [charts]="charts/ChartsModule.h")

for folder in "${folders[@]}"; do
  [ -d "${root}/${folder}" ] || continue
  while IFS=: read -r file line text; do
    included=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' <<<"${text}")
    module="${included%%/*}"
    [ "${module}" != "${folder}" ] || continue
    if [ -n "${interface[${module}]+set}" ] && [ "${included}" != "${interface[${module}]}" ]; then
      echo "${file#"${root}"/}:${line}: ${included} is inside a module; include ${interface[${module}]}"
      status=1
    elif [[ " ${windows[*]} " == *" ${folder} "* && " ${windows[*]} " == *" ${module} "* ]]; then
      echo "${file#"${root}"/}:${line}: ${folder}/ may not include another window's ${included}"
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${root}/${folder}" --include='*.h' --include='*.cpp')
done

# The rules build without Qt.
if hits=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "${root}/rules" --include='*.h' --include='*.cpp'); then
  sed "s|^${root}/||; s|$|  (rules/ is plain C++)|" <<<"${hits}"
  status=1
fi

[ "${status}" -eq 0 ] && echo "layers: the modules seen only through their interfaces, no window on another, rules/ without Qt"
exit "${status}"
