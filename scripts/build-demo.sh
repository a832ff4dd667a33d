#!/usr/bin/env bash
# Builds the demo lesson into BUILD/demo once (again when its description changed).
set -euo pipefail
build=${1:-build}
src=lessons/demo/lesson.toml
out=$build/demo
if [ ! -f "$src" ] || [ ! -x "$build/zorva-lesson" ]; then
  mkdir -p "$out"
  exit 0
fi
if [ ! -d "$out/ZORVADAT" ] || [ "$src" -nt "$out/ZORVADAT" ] || [ "$build/zorva-lesson" -nt "$out/ZORVADAT" ]; then
  rm -rf "$out"
  "$build/zorva-lesson" build "$src" "$out"
fi
