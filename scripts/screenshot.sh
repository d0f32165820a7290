#!/usr/bin/env bash
# Regenerates docs/screenshot.png (or the file given) from the running program, in an X session
# of its own (Xvfb with openbox, so that the window frame shows), which it stops again.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$root/docs/screenshot.png}")

"$root/scripts/install-deps.sh" test
cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build" --target quorvin

session=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$session"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$session/display" ] && break; sleep 0.1; done
[ -s "$session/display" ] || { echo "screenshot.sh: Xvfb did not start" >&2; exit 1; }
display=$(head -n1 "$session/display")
export DISPLAY=":$display"
export XDG_RUNTIME_DIR="$session/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM

openbox >"$session/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

"$build/app/quorvin" &
pids+=($!)
window=$(timeout 10 xdotool search --sync --onlyvisible --pid "${pids[-1]}" | head -n1)
sleep 0.5

# Orange from the colour field: its bottom row runs from yellow to red, pixel 128 of it is
# (255, 127, 0). The field's drawing area starts 1 pixel inside its border at (332, 20).
xdotool mousemove --window "$window" $((333 + 128)) $((21 + 255)) click 1
# The pointer off the window, so that nothing shows it hovering.
xdotool mousemove 0 0
sleep 0.5

import -window "$window" -frame "$out"
echo "screenshot.sh: wrote $out"
