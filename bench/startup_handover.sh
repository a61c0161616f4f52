#!/usr/bin/env bash
# Budget: a second start of the program hands its file to the running instance in under 50 ms
# (median of 50 starts), counted from the moment the start is launched until the running
# instance has announced the file and the start has ended. Run on the release build:
#   cmake --preset release && cmake --build build/release --target sonvia
#   bench/startup_handover.sh [PATH-TO-SONVIA] [STARTS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
app="${1:-$here/build/release/app/sonvia}"
starts="${2:-50}"
budget_ms=50

work="$(mktemp -d)"
instance=""
cleanup() {
  if [ -n "$instance" ]; then kill -INT "$instance" 2>/dev/null || true; wait "$instance" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/run" "$work/config" "$work/data"
# The console player prints what it is given, which is how the running instance is watched here;
# the hand-over itself is the same for the window.
unset DISPLAY WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
sox -n -r 8000 -c 1 -b 16 "$work/long.wav" trim 0 600
cp "$work/long.wav" "$work/next.wav"

mkfifo "$work/out"
"$app" --device null "$work/long.wav" >"$work/out" 2>&1 &
instance=$!
exec 3<"$work/out"
read -r line <&3
[[ "$line" == Playing* ]] || { echo "the instance did not start: $line" >&2; exit 1; }
# One start to warm the file cache, not counted.
"$app" "$work/next.wav"
read -r line <&3

times=()
for ((i = 0; i < starts; ++i)); do
  t0=$EPOCHREALTIME
  "$app" "$work/next.wav"
  read -r line <&3
  t1=$EPOCHREALTIME
  [[ "$line" == "Queued next.wav" ]] || { echo "unexpected: $line" >&2; exit 1; }
  times+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", (b - a) * 1000 }')")
done
printf '%s\n' "${times[@]}" | sort -n | awk -v budget="$budget_ms" '
  { t[NR] = $1 }
  END {
    median = t[int((NR + 1) / 2)]; p90 = t[int(NR * 0.9)]
    printf "hand-over of one file to the running instance, %d starts: median %.2f ms, p90 %.2f ms, max %.2f ms (budget %d ms)\n", NR, median, p90, t[NR], budget
    exit median < budget ? 0 : 1
  }'
