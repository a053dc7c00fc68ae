#!/usr/bin/env bash
# Remakes the README's pictures in docs/images on a private virtual display.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TELMA_BUILD_DIR:-$top/build-tools}

"$top/scripts/install-deps.sh" xvfb xauth
cmake -S "$top" -B "$build" -DTELMA_BUILD_TOOLS=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target telma_screenshots -j"$(nproc)"
mkdir -p "$top/docs/images"
# The button icons resolve from the program's working directory.
cd "$build/share/telma/icons/run/workdir"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/telma_screenshots" "$top/docs/images"
