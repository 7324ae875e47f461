#!/usr/bin/env bash
# Sets up, builds, stages the program folder build/dist/ and starts the main window.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
exec ./build/dist/korvel "$@"
