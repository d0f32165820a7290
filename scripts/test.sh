#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless in an X session of its own
# (Xvfb with the openbox window manager), which it stops again at the end.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# QUORVIN_CMAKE_PRESET picks a configure preset (for example "asan" with QUORVIN_BUILD_DIR
# build-asan); QUORVIN_CMAKE_ARGS adds cache settings.
build=${QUORVIN_BUILD_DIR:-$root/build}
configure=(-S "$root" -B "$build" -G Ninja -DBUILD_TESTING=ON)
[ -n "${QUORVIN_CMAKE_PRESET:-}" ] && configure+=(--preset "$QUORVIN_CMAKE_PRESET")
read -r -a extra <<<"${QUORVIN_CMAKE_ARGS:-}"

"$root/scripts/install-deps.sh" test
cmake "${configure[@]}" "${extra[@]}"
cmake --build "$build"

# No session bus: a test that needs one starts its own. Without this, every Qt program on the
# display would autolaunch one, and the check that the program writes nothing could not see it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

exec "$root/scripts/x-session.sh" -- \
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
