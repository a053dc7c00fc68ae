#!/usr/bin/env bash
# Installs whichever of the build packages (and the extra ones named) are missing.
#   scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev qt6-qpa-plugins "$@")
# The case book keeps its cases in SQLite through Qt SQL.
packages+=(libqt6sql6-sqlite)
# telma-cohort reads CSV with libcsv and takes Student t quantiles from Boost.Math.
packages+=(libcsv-dev libboost-math-dev)
# lupdate, which the translation check and the catalogue refresh run.
packages+=(qt6-l10n-tools)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
