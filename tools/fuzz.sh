#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# FUZZ_SECONDS sets the time per target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${FUZZ_SECONDS:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVEL_FUZZ=ON \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build-fuzz -j "$(nproc)"
shopt -s nullglob
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "fuzz: $name for ${secs}s"
  "$f" -max_total_time="$secs" -rss_limit_mb=2048 -timeout=10 "$corpus" "${seeds[@]}" 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz: $name found a fault"; exit 1; }
done
