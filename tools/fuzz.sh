#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time,
# as many at once as there are cores (each target is one process on one
# core). FUZZ_SECONDS sets the time per target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${FUZZ_SECONDS:-60}
jobs=$(nproc)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVEL_FUZZ=ON \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build-fuzz -j "$jobs"
shopt -s nullglob
logs=build-fuzz/log
mkdir -p "$logs"

fuzz_one() {
  local f=$1 name corpus seeds=()
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  "$f" -max_total_time="$secs" -rss_limit_mb=2048 -timeout=10 "$corpus" "${seeds[@]}" >"$logs/$name.log" 2>&1
}

targets=()
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] && targets+=("$f")
done
failed=0
i=0
while [ $i -lt ${#targets[@]} ]; do
  pids=() names=()
  for ((k = 0; k < jobs && i < ${#targets[@]}; k++, i++)); do
    names+=("$(basename "${targets[$i]}")")
    echo "fuzz: ${names[-1]} for ${secs}s"
    fuzz_one "${targets[$i]}" &
    pids+=($!)
  done
  for k in "${!pids[@]}"; do
    if wait "${pids[$k]}"; then
      tail -n 3 "$logs/${names[$k]}.log"
    else
      echo "fuzz: ${names[$k]} found a fault"
      tail -n 60 "$logs/${names[$k]}.log"
      failed=1
    fi
  done
done
exit $failed
