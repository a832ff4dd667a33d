#!/usr/bin/env bash
# scripts/fuzz.sh TARGET SECONDS: builds the libFuzzer target zorva_fuzz_TARGET with clang in
# build-fuzz (if needed), writes its seeds and runs it on them for SECONDS. A finding (crash,
# 10 s timeout, more than 1 GB of memory) ends the run with a non-zero status and leaves the
# input in build-fuzz/findings/TARGET/; add it to tests/fuzz/regressions/TARGET/ once mended.
# scripts/fuzz.sh --list prints the targets; scripts/fuzz.sh --build builds them all, after which
# FUZZ_BUILT=1 lets several runs share build-fuzz at once without building again.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${FUZZ_BUILD:-build-fuzz}
TARGETS=$(sed -n 's/^zorva_fuzz_target(\([a-z0-9_]*\) .*/\1/p' tests/fuzz/CMakeLists.txt)

if [[ ${1:-} == --list ]]; then
  echo "$TARGETS"
  exit 0
fi
configure() {
  if [[ ! -f $BUILD/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVA_FUZZ=ON
  fi
}
if [[ ${1:-} == --build ]]; then
  configure
  cmake --build "$BUILD" -j "${JOBS:-2}" --target $(sed 's/^/zorva_fuzz_/' <<<"$TARGETS") zorva-fuzz-seeds
  exit 0
fi
if [[ $# -ne 2 ]] || ! grep -qx "$1" <<<"$TARGETS"; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS   (targets: $(echo $TARGETS))" >&2
  exit 2
fi
target=$1
seconds=$2

if [[ ${FUZZ_BUILT:-0} != 1 ]]; then
  configure
  cmake --build "$BUILD" -j "${JOBS:-2}" --target "zorva_fuzz_$target" zorva-fuzz-seeds
fi

# Absolute paths: the targets work inside a folder of their own (the program looks for its data
# in the current directory), so libFuzzer must not read or write anything relative.
corpus=$(realpath -m "$BUILD/corpus/$target")
findings=$(realpath -m "$BUILD/findings/$target")
regressions=$PWD/tests/fuzz/regressions/$target
mkdir -p "$corpus" "$findings"
"$BUILD/zorva-fuzz-seeds" "$target" "$corpus"
inputs=("$corpus")
[[ -d $regressions ]] && inputs+=("$regressions")
export ZORVA_BACKEND=headless
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
exec "$BUILD/zorva_fuzz_$target" "${inputs[@]}" \
  -dict="$PWD/tests/fuzz/zorva.dict" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=1024 \
  -max_total_time="$seconds" -artifact_prefix="$findings/" -print_final_stats=1
