#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless in an X session of its own
# (Xvfb with the openbox window manager), which it stops again at the end.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh" test
cmake -S "$root" -B "$build" -G Ninja -DBUILD_TESTING=ON
cmake --build "$build"

# No session bus: a test that needs one starts its own. Without this, every Qt program on the
# display would autolaunch one, and the check that the program writes nothing could not see it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

exec "$root/scripts/x-session.sh" -- \
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
