#!/usr/bin/env bash
# Regenerates docs/screenshot.png (or the file given) from the running program, in an X session
# of its own (Xvfb with openbox, so that the window frame shows), which it stops again.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}

if [ "${1:-}" != --in-session ]; then
    out=$(realpath -m "${1:-$root/docs/screenshot.png}")
    "$root/scripts/install-deps.sh" test
    cmake -S "$root" -B "$build" -G Ninja
    cmake --build "$build" --target quorvin
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM
    exec "$root/scripts/x-session.sh" -- "$0" --in-session "$out"
fi
out=$2

"$build/app/quorvin" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" | head -n1)
sleep 0.5

# Orange from the colour field: its bottom row runs from yellow to red, pixel 128 of it is
# (255, 127, 0). The field's drawing area starts 1 pixel inside its border at (334, 22).
xdotool mousemove --window "$window" $((335 + 128)) $((23 + 255)) click 1
# The pointer off the window, so that nothing shows it hovering.
xdotool mousemove 0 0
sleep 0.5

import -window "$window" -frame "$out"
echo "screenshot.sh: wrote $out"
