#!/usr/bin/env bash
# Builds the benchmark programs and prints one line per figure, each next to the anchor it was
# measured beside in the same run, with its ratio and whether it meets its goal. Start-up and
# the repaint on a real desktop run on an Xvfb screen of their own. Exits 1 when a goal is missed.
#   scripts/bench.sh [build-folder]        (default: build, configured as a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target zorva zorva-decode-bench zorva-page-bench zorva-startup-bench \
  zorva-minimal-window >/dev/null

out=$(mktemp)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -f "$out"
}
trap cleanup EXIT

"$build/zorva-decode-bench" | tee -a "$out"
"$build/zorva-page-bench" | tee -a "$out"

# A display number nobody uses, and a screen like the one the acceptance tests use.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
DISPLAY=":$display" "$build/zorva-page-bench" --desktop | tee -a "$out"
DISPLAY=":$display" "$build/zorva-startup-bench" "$build/zorva" "$build/zorva-minimal-window" | tee -a "$out"

if grep -q MISSED "$out"; then
  echo "bench: some goals are missed"
  exit 1
fi
echo "bench: every goal is met"
