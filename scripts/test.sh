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

session=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$session"
}
trap cleanup EXIT

# The server picks a free display itself: others may already be taken on this machine.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$session/display" ] && break; sleep 0.1; done
[ -s "$session/display" ] || { echo "test.sh: Xvfb did not start" >&2; cat "$session/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$session/display")"

# A private runtime folder keeps the single-instance lock of the tests away from a real session's.
export XDG_RUNTIME_DIR="$session/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

openbox >"$session/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

echo "test.sh: X session on $DISPLAY"
export QUORVIN_REQUIRE_X11=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
