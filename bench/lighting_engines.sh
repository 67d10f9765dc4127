#!/usr/bin/env bash
# Runs bench_lighting_engines against a private PulseAudio server (null sink)
# and a 1920 x 1080 Xvfb showing a gradient, so every figure can be measured on
# a machine without a desktop. Usage: bench/lighting_engines.sh [build/bin] [benchmark flags]
set -euo pipefail
bin=${1:-$(dirname "$0")/../build/bin}
shift || true
dir=$(mktemp -d)
cleanup() {
  [ -n "${pa:-}" ] && kill "$pa" 2>/dev/null || true
  [ -n "${xv:-}" ] && kill "$xv" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$dir
export HOME=$dir
export PULSE_SERVER=unix:$dir/pulse/native
pulseaudio --system=false --exit-idle-time=-1 -n --load=module-null-sink \
  --load=module-native-protocol-unix --log-target=file:"$dir/pa.log" 2>/dev/null &
pa=$!
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1920x1080x24 3>"$dir/display" 2>/dev/null &
xv=$!
for _ in $(seq 100); do [ -s "$dir/display" ] && [ -S "$dir/pulse/native" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$dir/display")
export TERVANE_XSERVER_PID=$xv
convert -size 1920x1080 gradient:red-blue "$dir/screen.png"
display -window root "$dir/screen.png" || true
"$bin/bench_lighting_engines" "$@"
