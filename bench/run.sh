#!/usr/bin/env bash
# Runs every benchmark under a private X server. Usage: bench/run.sh [build-dir]
set -euo pipefail
build="${1:-build}"
cd "${build}"
unset QT_QPA_PLATFORM
export QT_FONT_DPI=96
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
for bench in ./bench_*; do
  [ -x "${bench}" ] || continue
  echo "== ${bench#./}"
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${bench}"
done
