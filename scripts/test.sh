#!/usr/bin/env bash
# Configures, builds with every core and runs the whole test suite (GUI tests on virtual
# displays, one per job).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
./scripts/with-test-displays.sh "$jobs" ctest --test-dir build -j "$jobs" --output-on-failure
