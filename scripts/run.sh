#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine and starts the board; any
# arguments are passed on to the program.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
# Set up first, so a machine without a display still gets the build (and
# xvfb-run); then one plain line instead of Qt's abort.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Scorvana Benchdeck needs a graphical session: start it from a desktop, or without one run xvfb-run scripts/run.sh" >&2
  exit 1
fi
exec "$ROOT/build/benchdeck" "$@"
