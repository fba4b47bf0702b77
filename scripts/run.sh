#!/usr/bin/env bash
# Set-up, build of the program alone (no tests, no benchmarks), then the
# program on the bundled season. Without a display, it runs on a private
# virtual screen (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/kestrane "$@"
fi
exec build/bin/kestrane "$@"
