#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (clang and its
# runtime libraries for the fuzz targets of scripts/fuzz.sh too, Apache and
# openssl for the league's server of scripts/serve.sh and its tests), then
# configures and builds the project in ./build. Safe to run again: it installs only what is
# missing and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ make cmake ninja-build qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
          qt6-translations-l10n xvfb xauth imagemagick fonts-dejavu-core libglpk-dev
          poppler-utils desktop-file-utils clang libclang-rt-14-dev apache2 apache2-utils openssl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installation de : ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
