#!/usr/bin/env bash
# Installs what the build needs on Debian 12, then configures and builds the
# project in ./build. Safe to run again: it installs only what is missing and
# rebuilds only what changed.
#   scripts/setup.sh program   the program alone (scripts/run.sh)
#   scripts/setup.sh           everything: the program, the tests, the
#                              benchmarks, and clang with its runtime libraries
#                              for the fuzz targets of scripts/fuzz.sh, Apache
#                              and openssl for the league's server of
#                              scripts/serve.sh and its tests, Squid for the
#                              tests of followers through a shared cache,
#                              Chromium with its WebDriver for the tests of the
#                              league's website
set -euo pipefail
cd "$(dirname "$0")/.."
what="${1:-all}"

packages=(g++ make cmake ninja-build qt6-base-dev libgl-dev qt6-translations-l10n
          xvfb xauth fonts-dejavu-core)
if [ "$what" != program ]; then
  packages+=(libgtest-dev libbenchmark-dev imagemagick poppler-utils desktop-file-utils
             clang libclang-rt-14-dev apache2 apache2-utils openssl squid
             chromium chromium-driver python3-selenium)
fi
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

# KESTRANE_WERROR=1 (set by .ci/run) turns compiler warnings into errors.
# Said on every run, so that a build folder set up one way follows the other
# when the variable changes; a user's build stays tolerant.
werror=OFF
if [ "${KESTRANE_WERROR:-0}" = 1 ]; then werror=ON; fi

if [ "$what" = program ]; then
  # A first build made to run the program leaves the tests and benchmarks
  # out of it; a build folder already set up keeps its own choice.
  options=()
  [ -f build/CMakeCache.txt ] || options=(-DKESTRANE_BUILD_TESTS=OFF -DKESTRANE_BUILD_BENCH=OFF)
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR="$werror" "${options[@]}" \
        >/dev/null
  cmake --build build --target kestrane -j"$(nproc)"
else
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRANE_BUILD_TESTS=ON -DKESTRANE_BUILD_BENCH=ON \
        -DCMAKE_COMPILE_WARNING_AS_ERROR="$werror" >/dev/null
  cmake --build build -j"$(nproc)"
fi
