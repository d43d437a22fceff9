#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes every fuzz_* executable in DIR for SECONDS each, starting from a
# fresh copy of its corpus so that the repository's seeds stay as they are.
# Usage: run.sh DIR [SECONDS]
set -uo pipefail
dir="$(cd "$1" && pwd)" seconds="${2:-45}"
seeds="$(cd "$(dirname "$0")" && pwd)/corpus"
status=0 found=0
for fuzzer in "${dir}"/fuzz_*; do
  [ -f "${fuzzer}" ] && [ -x "${fuzzer}" ] || continue
  found=1
  name="${fuzzer##*/fuzz_}"
  work="${dir}/corpus/${name}"
  rm -rf "${work}" && mkdir -p "${work}" && cp -r "${seeds}/${name}/." "${work}/"
  echo "fuzz_${name}: ${seconds} s"
  (cd "${dir}" && "${fuzzer}" -max_total_time="${seconds}" -print_final_stats=1 "${work}" 2>&1) |
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))|ERROR|SUMMARY|==[0-9]+=='
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done
[ "${found}" -eq 1 ] || { echo "no fuzzers in ${dir}: is clang++ installed?" >&2; exit 1; }
exit "${status}"
