#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine and starts the board.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
exec "$ROOT/build/benchdeck"
