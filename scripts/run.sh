#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the current X display.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build" --target quorvin

# The program says so itself too, but a plain check here saves the wait for Qt.
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no X display (DISPLAY is not set); start it from a desktop session." >&2
    exit 1
fi
exec "$build/app/quorvin"
