#!/usr/bin/env bash
# CI's fuzz smoke: every fuzz target for SECONDS (default 60) on its seeds; fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
for target in $(scripts/fuzz.sh --list); do
  echo "== fuzz $target for ${seconds} s"
  scripts/fuzz.sh "$target" "$seconds"
done
