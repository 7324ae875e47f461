#!/usr/bin/env bash
# Sets up, builds, checks the layers and runs every test through CTest in the
# normal build, runs the fuzz targets for a bounded time, then builds and runs
# every test again under AddressSanitizer and UndefinedBehaviorSanitizer.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
# Compiler cache keyed on paths relative to the checkout, so that another
# clone of the same sources reuses the objects. With debug information ccache
# also hashes the build folder unless told not to; the objects then name the
# first clone's folders in their debug information, which only a debugger
# reads.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEL_BENCH=ON "${cache[@]}" >/dev/null
cmake --build build -j "$jobs"
# The layers: no widget header in the widget-free code, enforced by the build.
bash tools/check_layers.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

# Four fuzz targets at 30 s each keep the whole run well inside its budget;
# run tools/fuzz.sh alone for longer sessions.
FUZZ_SECONDS=${FUZZ_SECONDS:-30} bash tools/fuzz.sh

# Qt's own libraries are not instrumented; their leaks are not ours.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# clang here, g++ above: both compilers' warnings are kept at zero, and clang
# builds the instrumented tree a quarter faster.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEL_SANITIZE=ON -DKORVEL_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${cache[@]}" >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

