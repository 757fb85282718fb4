#!/usr/bin/env bash
# Start-up and peak memory under Xvfb, against a bare Qt window in the same run.
# Usage: bench/avvio.sh <build folder>
set -euo pipefail
build="$1"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/bench/misura_avvio" "$build/bench/avvio_finestra" 15
