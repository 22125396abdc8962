#!/usr/bin/env bash
# Fetches Natural Earth 1:10m land (world-atlas@2.0.2, land-10m.json) into folder $1.
# Only needed to refresh tools/coast/land-10m-east-asia.txt; the normal build does not use it.
set -euo pipefail
dest=${1:?usage: fetch-coast.sh DEST_FOLDER}
expected=9b9f584709c119d63fbadf484ce425260497697b7166be7a2fe360e8c0b171a8
mkdir -p "$dest"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm pack --silent world-atlas@2.0.2 >/dev/null)
tar -xzf "$tmp"/world-atlas-2.0.2.tgz -C "$tmp" package/land-10m.json
actual=$(sha256sum "$tmp/package/land-10m.json" | cut -d' ' -f1)
if [ "$actual" != "$expected" ]; then
  echo "fetch-coast.sh: land-10m.json has sha256 $actual, expected $expected" >&2
  exit 1
fi
cp "$tmp/package/land-10m.json" "$dest/land-10m.json"
echo "$dest/land-10m.json"
