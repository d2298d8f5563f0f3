#!/usr/bin/env bash
# The demo program, without a display, unplugs and plugs its simulated T40
# again and again: every removal must reach the program and make it let go of
# the keyboard, every arrival must make it re-apply the lighting (the demo's
# plug cycler waits for both and stops short otherwise), and the program must
# still be running afterwards.
#   plug_cycles.sh <demo program> <cycles>
set -euo pipefail
program=$1 cycles=$2
home=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$home"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
  XDG_RUNTIME_DIR="$home/runtime" PELMORA_DEMO_PLUG_CYCLES="$cycles" "$program" >"$home/out" 2>"$home/err" &
pid=$!
# The cycler gives up on its own when a step does not happen, so this loop only guards against a hang.
until grep -q -e "^plug cycles done: $cycles\$" "$home/out" || grep -q '^plug cycles: ' "$home/err"; do
  kill -0 "$pid" 2>/dev/null || { echo "the demo ended during the cycles:"; cat "$home/err"; exit 1; }
  sleep 0.2
done
grep "^plug cycles" "$home/out" "$home/err" | cut -d: -f2-
grep -q "^plug cycles done: $cycles\$" "$home/out" || exit 1
kill -0 "$pid" 2>/dev/null || { echo "the demo ended after the cycles:"; cat "$home/err"; exit 1; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 143 ] || { echo "the demo ended with status $status, not by the TERM signal:"; cat "$home/err"; exit 1; }
