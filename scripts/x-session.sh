#!/usr/bin/env bash
# Runs a command in an X session of its own: an Xvfb of the given size (1024x768 unless told) with
# openbox, or, with --two-monitors, a Xephyr with two 1280x1024 heads side by side (Xinerama)
# inside such an Xvfb. The servers pick free displays themselves, since others may already be
# taken on this machine, and are stopped again at the end.
# Usage: x-session.sh [--size WxH] [--two-monitors] -- command [args...]
set -euo pipefail

size=1024x768
two=0
while [ $# -gt 0 ]; do
    case "$1" in
    --size) size=$2; shift 2 ;;
    --two-monitors) two=1; shift ;;
    --) shift; break ;;
    *) break ;;
    esac
done

session=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$session"
}
trap cleanup EXIT

# Starts an X server that writes its display number to fd 3; prints ":N".
start_server() {
    local name=$1
    shift
    "$@" 3>"$session/$name.display" >"$session/$name.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$session/$name.display" ] && break; sleep 0.1; done
    if [ ! -s "$session/$name.display" ]; then
        echo "x-session.sh: $name did not start" >&2
        cat "$session/$name.log" >&2
        exit 1
    fi
    display=":$(head -n1 "$session/$name.display")"
}

# -noreset: otherwise the server starts over each time its last client leaves, and drops every
# connection still being set up at that moment, such as the window manager's while the check
# below polls with xprop.
start_server xvfb Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset
export DISPLAY=$display
if [ "$two" = 1 ]; then
    start_server xephyr Xephyr -displayfd 3 +xinerama -screen 1280x1024 -screen 1280x1024 \
        -dpi 96 -nolisten tcp -noreset
    export DISPLAY=$display
fi

# The first key the tests send through XTEST switches the core keyboard to the XTEST device, which
# the server announces as a new keyboard mapping. openbox answers that by dropping and taking
# again all its key grabs, and an Alt+F4 whose F4 came in between went to the program instead of
# closing it. One key now, before openbox is there, leaves nothing to switch later.
xdotool key shift

# A private runtime folder keeps what Qt puts there away from a real session's.
export XDG_RUNTIME_DIR="$session/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

openbox >"$session/openbox.log" 2>&1 &
wm=$!
pids+=($wm)
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 200); do wm_up && break; sleep 0.1; done
if ! wm_up; then
    echo "x-session.sh: openbox did not come up on $DISPLAY" >&2
    # Whether the server itself went or never listened tells the two failures apart.
    for log in "$session"/*.log; do echo "--- $log" >&2; cat "$log" >&2; done
    ls -l /tmp/.X11-unix >&2
    exit 1
fi

export QUORVIN_REQUIRE_X11=1
status=0
"$@" || status=$?
# Tests that need the window manager fail in puzzling ways without it: say so plainly.
if ! kill -0 "$wm" 2>/dev/null; then
    echo "x-session.sh: openbox ended during the run on $DISPLAY" >&2
    cat "$session/openbox.log" >&2
    [ "$status" -ne 0 ] || status=1
fi
exit "$status"
