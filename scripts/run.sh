#!/usr/bin/env bash
# Builds the application and starts it with the given image, or the bundled sample when none is given.
set -euo pipefail
# The image is named relative to where the script was called from.
image=""
if [ $# -gt 0 ]; then
  image="$(realpath -m -- "$1")"
fi
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

exec build/app/QuenzellaTolva "${image:-$PWD/build/resources/sample-photo.jpg}"
