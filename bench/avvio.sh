#!/usr/bin/env bash
# Start-up of the real program against the reference window, both to the window drawn on a
# private X server, and their peak memory.
# Usage: bench/avvio.sh <build folder>
set -euo pipefail
build="$1"
lavoro=$(mktemp -d)
pid_x=""
trap '[ -n "$pid_x" ] && kill "$pid_x" 2>/dev/null; rm -rf "$lavoro"' EXIT
mkdir -m 700 "$lavoro/run"
# A server on a display it picks itself, so that runs by other users never collide with
# it, and that does not reset between clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$lavoro/display" >"$lavoro/xvfb.log" 2>&1 &
pid_x=$!
for _ in $(seq 100); do
  [ -s "$lavoro/display" ] && break
  kill -0 "$pid_x" 2>/dev/null || { cat "$lavoro/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
DISPLAY=":$(head -n 1 "$lavoro/display")" XDG_RUNTIME_DIR="$lavoro/run" QT_QPA_PLATFORM=xcb \
  "$build/bench/misura_avvio" "$build/bin/windara" "$build/bench/finestra_riferimento" 21
