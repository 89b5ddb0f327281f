#!/usr/bin/env bash
# Starts the built program the way run.sh does, under Xvfb with a fresh home and fresh XDG
# folders, and captures the whole screen once the window is up.
#   scripts/screenshot.sh [out.png] [image]     (defaults: build/screenshots/window.png, the sample)
# SX_SCREEN sets the screen (1600x1000x24), SX_SETTLE_SECONDS the wait after the window
# appears (2), SX_APP the program (build/app/QuenzellaTolva).
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build/screenshots/window.png}"
image="${2:-build/resources/sample-photo.jpg}"
app="${SX_APP:-build/app/QuenzellaTolva}"
[ -x "$app" ] || { echo "no program at $app: build first" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
app="$(cd "$(dirname "$app")" && pwd)/$(basename "$app")"
image="$(cd "$(dirname "$image")" && pwd)/$(basename "$image")"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/runtime"
chmod 700 "$tmp/runtime"

export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
       XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/runtime"
export SX_APP_PATH="$app" SX_IMAGE="$image" SX_OUT="$out" SX_LOG="$tmp/app.log" \
       SX_SETTLE="${SX_SETTLE_SECONDS:-2}"

xvfb-run -a -s "-screen 0 ${SX_SCREEN:-1600x1000x24}" bash -c '
  "$SX_APP_PATH" "$SX_IMAGE" > "$SX_LOG" 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    xwininfo -root -tree 2>/dev/null | grep -qF -e "\"Quenzella - Tolva\"" -e "\"$(basename "$SX_IMAGE")\"" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep "$SX_SETTLE"
  import -window root "$SX_OUT"
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" || true
'
sed 's/^/  program: /' "$tmp/app.log" >&2
echo "wrote $out"
