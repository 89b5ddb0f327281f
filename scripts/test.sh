#!/usr/bin/env bash
# Configures, builds with every core and runs the whole test suite (GUI tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir build -j "$jobs" --output-on-failure
