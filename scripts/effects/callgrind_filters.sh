#!/bin/sh
# Instruction counts of the filter benchmarks under callgrind, per second of 44.1 kHz 16-bit
# stereo audio: steadier than timings on a shared machine. Needs the release build:
#   cmake --preset release && cmake --build --preset release -j2 --target filter_bench
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
bench="$root/build/release/bench/filter_bench"
seconds=${SECONDS_OF_AUDIO:-4}
[ -x "$bench" ] || { echo "build the release preset first: $bench is missing" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for name in Equalizer StereoEnhancer VocalInstrument EqualizerEx Octave/5 Octave/-12 OpenAirWithPitch; do
  file="$out/$(echo "$name" | tr '/' '_').out"
  SONVIA_BENCH_ITERATIONS=$seconds valgrind --tool=callgrind --callgrind-out-file="$file" \
    --toggle-collect=filter_bench_one_second "$bench" --benchmark_filter="^$name/" >/dev/null 2>&1
  total=$(callgrind_annotate "$file" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }')
  echo "$name: $((total / seconds)) instructions per second of audio"
done
