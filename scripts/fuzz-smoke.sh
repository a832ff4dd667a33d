#!/usr/bin/env bash
# CI's fuzz smoke: every fuzz target for SECONDS (default 60) on its seeds; fails on any finding.
# The targets are built once and then run side by side, so the smoke takes about SECONDS in all.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
logs=${FUZZ_BUILD:-build-fuzz}/smoke
scripts/fuzz.sh --build
mkdir -p "$logs"
declare -A runs
for target in $(scripts/fuzz.sh --list); do
  echo "== fuzz $target for ${seconds} s"
  FUZZ_BUILT=1 scripts/fuzz.sh "$target" "$seconds" >"$logs/$target.log" 2>&1 &
  runs[$target]=$!
done
failed=0
for target in "${!runs[@]}"; do
  if wait "${runs[$target]}"; then
    echo "== fuzz $target: $(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "$logs/$target.log" || echo done)"
  else
    echo "== fuzz $target FAILED; its log:" >&2
    tail -n 60 "$logs/$target.log" >&2
    failed=1
  fi
done
exit $failed
