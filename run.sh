#!/usr/bin/env bash
# Sets up, builds, stages the program folder build/dist/ and starts the main window.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The programs, the zip library and the staged data; tests and benchmarks
# are left to ./test.sh.
cmake --build build --target korvel velmora pakova demo_data dati_archivio html_templates manuale
exec ./build/dist/korvel "$@"
