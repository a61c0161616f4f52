#!/usr/bin/env bash
# Sets up a fresh machine, builds the optimised program and starts it with the given files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
(
  cd "$here"
  scripts/setup
  cmake --preset release >/dev/null
  cmake --build --preset release
)
exec "$here/build/release/app/sonvia" "$@"
