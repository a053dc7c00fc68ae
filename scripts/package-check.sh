#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get, starts the installed program the way
# its desktop entry does (headless), checks that it is still running after two seconds,
# and ends it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TELMA_BUILD_DIR:-$top/build-pkg}

"$top/scripts/install-deps.sh" dpkg-dev desktop-file-utils
cmake -S "$top" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target telma -j"$(nproc)"
(cd "$build" && rm -f telma_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/telma_*_amd64.deb)
echo "Built $(basename "$deb"):"
dpkg-deb -f "$deb" Depends

sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall "$deb" >/dev/null

entry=/usr/share/applications/telma.desktop
desktop-file-validate "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
path_line=$(sed -n 's/^Path=//p' "$entry")
for icon in ../../nextunfinished.png ../../../img/button-close.png; do
    [ -f "$path_line/$icon" ] || { echo "missing $icon from $path_line"; exit 1; }
done

cd "$path_line"
QT_QPA_PLATFORM=offscreen $exec_line &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "the installed program did not keep running"
    exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "installed program started from its desktop entry and kept running"
