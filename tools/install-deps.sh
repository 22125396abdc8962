#!/usr/bin/env bash
# Installs the Debian 12 packages KAVELO needs to build, test and run, when any is missing.
set -euo pipefail
pkgs=(build-essential cmake qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev libpng-dev
      zlib1g-dev libpugixml-dev pkg-config fonts-ipafont-gothic nlohmann-json3-dev xvfb xauth
      qt6-translations-l10n ccache clang libclang-rt-14-dev libcurl4-openssl-dev)
missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "KAVELO needs these Debian packages: ${missing[*]}" >&2
  echo "Run this command as root (or install them with: sudo apt-get install ${missing[*]})." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
