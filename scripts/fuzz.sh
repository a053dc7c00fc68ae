#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from a copy of its committed seed corpus. One input taking more
# than a second counts as a hang; any crash or sanitizer report fails the run.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TELMA_BUILD_DIR:-$top/build-fuzz}
seconds=${1:-60}

"$top/scripts/install-deps.sh" clang libclang-rt-14-dev
CXX=clang++ cmake -S "$top" -B "$build" -DTELMA_FUZZ=ON -DTELMA_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

targets=(predictors limits)
cmake --build "$build" -j"$(nproc)" $(printf -- '--target fuzz_%s ' "${targets[@]}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1
for t in "${targets[@]}"; do
    mkdir -p "$work/$t"
    cp "$top/fuzz/corpus/$t/"* "$work/$t/"
    echo "== fuzz_$t for ${seconds}s"
    if ! (cd "$work" && "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=1 \
            -print_final_stats=1 "$work/$t" >"$work/$t.log" 2>&1); then
        tail -n 60 "$work/$t.log"
        echo "fuzz_$t failed"
        exit 1
    fi
    tail -n 12 "$work/$t.log"
done
