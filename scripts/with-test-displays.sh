#!/usr/bin/env bash
# Runs a command (ctest) with one virtual X display per parallel job.
#
#   scripts/with-test-displays.sh <jobs> ctest --test-dir build -j <jobs> ...
#
# Every test asks CTest for a display of its own (a resource), so no two tests that run at
# the same time share one: on a shared display they would take the keyboard focus and the
# pointer from each other's windows. The displays are started once, not per test.
set -euo pipefail
count=$1
shift

servers=()
spec=$(mktemp --suffix=.json)
cleanup() {
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -f "$spec"
}
trap cleanup EXIT

pipes=()
for _ in $(seq 1 "$count"); do
  pipe=$(mktemp -u)
  mkfifo "$pipe"
  pipes+=("$pipe")
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$pipe" >/dev/null 2>&1 &
  servers+=("$!")
done
ids=()
for pipe in "${pipes[@]}"; do
  # Each server writes its display number once it accepts connections.
  read -r -t 60 number <"$pipe" || { echo "Xvfb did not start" >&2; exit 1; }
  rm -f "$pipe"
  ids+=("$number")
done

{
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"displays": ['
  sep=""
  for n in "${ids[@]}"; do printf '%s{"id": "d%s", "slots": 1}' "$sep" "$n"; sep=", "; done
  printf ']}]}\n'
} >"$spec"

export DISPLAY=":${ids[0]}"
"$@" --resource-spec-file "$spec"
