#!/usr/bin/env bash
# scripts/acceptance-under-load.sh [SCENARIO]: runs one acceptance scenario (default repeat_review,
# which judges the most sound) with two busy loops of its own on the machine's cores, the way compilers
# beside it would load a developer's machine or a CI runner. Needs a built tree in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scenario=${1:-repeat_review}
ZORVA_ACCEPTANCE_BUSY=2 exec python3 tests/acceptance/run_scenario.py "$scenario" \
  --zorva build/zorva --builder build/zorva-lesson --clipfind build/zorva-clipfind --work build/acceptance-under-load
