#!/usr/bin/env bash
# Remakes the README's pictures in docs/images on a private virtual display.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
source scripts/parallel.sh

scripts/install-deps.sh xvfb xauth
cmake --preset screenshots >/dev/null
cmake --build --preset screenshots
mkdir -p docs/images
# The button icons resolve from the program's working directory.
cd build-screenshots/share/telma/icons/run/workdir
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$top/build-screenshots/telma_screenshots" "$top/docs/images"
# The follow-up pictures: the case book is wider than the other windows.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$top/build-screenshots/telma_followup_screenshots" "$top/docs/images"
