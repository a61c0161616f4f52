#!/usr/bin/env bash
# Sets up a fresh machine, builds the sanitizer (test) build and runs the whole suite with CTest.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup
cmake --preset test >/dev/null
cmake --build --preset test
# The GTK end-to-end tests need a display; give them a virtual one when there is none.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset test "$@"
fi
exec ctest --preset test "$@"
