#!/usr/bin/env bash
# Only the SDL backend (and the lesson builder tool) may include SDL; the program must not know it exists.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rn -E '#\s*include\s*[<"]SDL' app lesson elements audio res platform tests 2>/dev/null \
       | grep -v '^platform/backend/sdl/' | grep -v '^tests/backend_sdl/' || true)
if [ -n "$hits" ]; then
  echo "SDL included outside platform/backend/sdl:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "layering: ok"
