#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, address and
# undefined-behaviour sanitizers) in build-fuzz, then runs each one for
# SECONDS (default 60) from its seed corpus fuzz/corpus/<name>/. Fails on the
# first crash, sanitizer report, leak or input that runs past 10 seconds; the
# input that did it is kept as build-fuzz/artifacts/<target>-*.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER=clang++ ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build build-fuzz -j"$(nproc)"

mkdir -p build-fuzz/artifacts
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
summary=()
for target in build-fuzz/bin/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name="$(basename "$target")"
  seeds="fuzz/corpus/${name#fuzz_}"
  work="build-fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work"
  dict=()
  [ -f "fuzz/${name#fuzz_}.dict" ] && dict=(-dict="fuzz/${name#fuzz_}.dict")
  log="build-fuzz/$name.log"
  echo "== $name: ${seconds} s"
  # New inputs go to the work corpus, the seeds in the repository stay as they are.
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="build-fuzz/artifacts/$name-" "${dict[@]}" "$work" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "ÉCHEC : $name (journal complet : $log)"
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  cov="$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)"
  summary+=("$name: ${runs:-?} exécutions, ${cov:-cov: ?}")
done
[ ${#summary[@]} -gt 0 ] || { echo "aucune cible de fuzzing construite"; exit 1; }
printf '%s\n' "${summary[@]}"
