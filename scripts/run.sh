#!/usr/bin/env bash
# Builds the application and opens the given image, or the bundled sample when none is given.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

image="${1:-build/resources/sample-photo.jpg}"
app=build/app/QuenzellaTolva
if [ -x "$app" ]; then
  exec "$app" "$image"
fi

# No window yet: paint the image headless with the first factory preset of each effect.
echo "The application window is not part of this build yet; painting $image headless instead." >&2
mkdir -p build/paintings
for effect in Stylized Abstract; do
  out="build/paintings/$(basename "${image%.*}")-$effect.png"
  build/bench/WatercolorHarness "$image" "$effect" 1 1 "$out"
  echo "wrote $out"
done
