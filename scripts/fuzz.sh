#!/usr/bin/env bash
# Installs clang and runs each libFuzzer target for the given number of seconds (default 60)
# from its committed seed corpus: the CMake preset "fuzz". Any crash, hang (one input taking
# more than a second) or sanitizer report fails the run.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/parallel.sh
seconds=${1:-60}

scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz -DTELMA_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
