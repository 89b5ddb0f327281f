#!/usr/bin/env bash
# Builds the application and opens the given image, or the bundled sample when none is given.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

app=build/app/QuenzellaTolva
if [ ! -x "$app" ]; then
  echo "The application itself is not part of this build yet: only its libraries and tests are." >&2
  exit 1
fi
exec "$app" "${1:-resources/sample/sample.jpg}"
