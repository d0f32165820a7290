#!/usr/bin/env bash
# Soak: scripts/soak.sh [seconds, default 300]. In an X session of its own (Xvfb with openbox) it
# holds the eyedropper for that long while windows come and go under the pointer, then drags in
# the colour field and clicks every label button (10,000 drags and 1,000 clicks per label at 300
# seconds, scaled down with the time). It prints the program's RSS, X resources and open file
# descriptors after a warm-up and at the end, and fails where any of them grew beyond the
# tolerances below.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}
seconds=${1:-300}
drags=$((10000 * seconds / 300))
clicks=$((1000 * seconds / 300))
# Heap pages that the allocator keeps after a burst are not a leak; a steady leak over the run is.
rss_tolerance_kb=2048
# Windows, pixmaps, cursors, GCs and descriptors: the program must give back all it takes.
count_tolerance=0

# Set up and build, then run the rest inside an X session of its own.
if [ "${QUORVIN_SOAK_IN_SESSION:-}" != 1 ]; then
    "$root/scripts/install-deps.sh" test
    [ -x "$build/app/quorvin" ] || {
        cmake -S "$root" -B "$build" -G Ninja -DBUILD_TESTING=ON
        cmake --build "$build" --target quorvin
    }
    QUORVIN_SOAK_IN_SESSION=1 exec "$root/scripts/x-session.sh" -- "$0" "$@"
fi

session=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$session"
}
trap cleanup EXIT

"$build/app/quorvin" >"$session/quorvin.log" 2>&1 &
app=$!
pids=("$app" "${pids[@]}")
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n1)
[ -n "$window" ] || { echo "soak.sh: no window" >&2; exit 1; }
xdotool windowmove --sync "$window" 0 0 >/dev/null 2>&1 || true
sleep 0.5
info=$(xwininfo -id "$window")
X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")

# Control centres in the client area, from the window's definition (twips / 15).
at() { echo "mousemove $((X + $1)) $((Y + $2))"; }
eyedropper=$(at 48 326)
palette_x0=$((X + 342)) palette_y0=$((Y + 32)) palette_size=240
labels=("$(at 291 294)" "$(at 291 342)" "$(at 292 390)" "$(at 49 363)") # Kopie x3, RANDOM

# The program's X client, told apart by the resource id base of its window (Xvfb reports no
# client PIDs).
base=$(printf '0x%x' $((window & ~0x1fffff))) # the mask of a server with up to 256 clients
xrestop_of() { # windows pixmaps cursors gcs pixmap_bytes, as the X server counts them
    xrestop -b -m 1 | awk -v base="$base" '
        $1 == "res_base" { mine = ($3 == base) }
        mine && $1 == "windows" { w = $3 } mine && $1 == "pixmaps" { p = $3 }
        mine && $1 == "cursors" { c = $3 } mine && $1 == "GCs" { g = $3 }
        mine && $1 == "pixmap" && $2 == "bytes" { b = $4 }
        END { print w + 0, p + 0, c + 0, g + 0, b + 0 }'
}
measure() { # rss_kb fds windows pixmaps cursors gcs pixmap_bytes
    local rss fds
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
    fds=$(find "/proc/$app/fd" -mindepth 1 -maxdepth 1 | wc -l)
    echo "$rss $fds $(xrestop_of)"
}
show() {
    read -r rss fds w p c g b <<<"$2"
    printf 'soak.sh: %-5s RSS %6d kB  fds %3d  X: windows %3d  pixmaps %3d (%d bytes)  cursors %3d  GCs %3d\n' \
        "$1" "$rss" "$fds" "$w" "$p" "$b" "$c" "$g"
}

palette_drags() { # $1 drags, in batches so that one xdotool run carries many of them
    local left=$1 batch cmds i x y
    while [ "$left" -gt 0 ]; do
        batch=$((left < 200 ? left : 200))
        cmds=()
        for ((i = 0; i < batch; i++)); do
            x=$((palette_x0 + RANDOM % palette_size)) y=$((palette_y0 + RANDOM % palette_size))
            # The pauses let the program confine and free the pointer before the next step, as
            # a hand would; without them the next drag starts inside the last one's confinement.
            cmds+=(mousemove "$x" "$y" mousedown 1 sleep 0.003
                mousemove "$((palette_x0 + RANDOM % palette_size))" "$((palette_y0 + RANDOM % palette_size))"
                mousemove "$((palette_x0 + RANDOM % palette_size))" "$((palette_y0 + RANDOM % palette_size))"
                mouseup 1 sleep 0.003)
        done
        xdotool "${cmds[@]}" sleep 0.05
        left=$((left - batch))
    done
}
label_clicks() { # $1 clicks on each label button
    local label left batch cmds i
    for label in "${labels[@]}"; do
        left=$1
        while [ "$left" -gt 0 ]; do
            batch=$((left < 200 ? left : 200))
            cmds=($label)
            for ((i = 0; i < batch; i++)); do cmds+=(mousedown 1 sleep 0.001 mouseup 1 sleep 0.001); done
            xdotool "${cmds[@]}"
            left=$((left - batch))
        done
    done
}
hold_eyedropper() { # $1 seconds, windows appearing and vanishing under the pointer meanwhile
    local until=$((SECONDS + $1)) x y X Y
    xdotool $eyedropper mousedown 1
    (
        while [ $SECONDS -lt "$until" ]; do
            eval "$(xdotool getmouselocation --shell)"
            x=$((X > 100 ? X - 100 : 0)) y=$((Y > 40 ? Y - 40 : 0))
            xmessage -geometry "200x80+$x+$y" -timeout 1 "soak $x,$y" >/dev/null 2>&1 &
            sleep 0.25
        done
        wait
    ) &
    local popups=$!
    while [ $SECONDS -lt "$until" ]; do
        xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) sleep 0.05 \
            mousemove $((RANDOM % 1024)) $((RANDOM % 768)) sleep 0.05
    done
    wait "$popups"
    xdotool mouseup 1
}

# Warm-up: every path once, so that what Qt builds lazily (fonts, pointers, caches) is in the
# baseline rather than counted as growth.
hold_eyedropper 2
palette_drags 20
label_clicks 5
sleep 1
start=$(measure)
show start "$start"
program_windows() { xwininfo -root -tree | grep -i " ${base%?????}[0-9a-f]\{5\} " || true; }
program_windows >"$session/windows-start"

t0=$SECONDS
hold_eyedropper "$seconds"
echo "soak.sh: eyedropper held ${seconds}s"
palette_drags "$drags"
echo "soak.sh: $drags palette drags"
label_clicks "$clicks"
echo "soak.sh: $clicks clicks on each of ${#labels[@]} label buttons ($((SECONDS - t0))s in all)"
sleep 1
kill -0 "$app" 2>/dev/null || { echo "soak.sh: the program ended during the soak" >&2; exit 1; }
end=$(measure)
show end "$end"
program_windows >"$session/windows-end"
diff "$session/windows-start" "$session/windows-end" >&2 || true

# The clicks landed: the last "Kopie" put the HTML code of a colour from the palette there.
code=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
echo "soak.sh: clipboard holds $code"
[[ $code =~ ^#[0-9A-F]{6}$ && $code != "#000000" ]] || {
    echo "soak.sh: the clicks did not reach the program" >&2
    exit 1
}

read -r rss0 fds0 w0 p0 c0 g0 _ <<<"$start"
read -r rss1 fds1 w1 p1 c1 g1 _ <<<"$end"
status=0
check() { # name growth tolerance
    if [ "$2" -gt "$3" ]; then
        echo "soak.sh: $1 grew by $2 (tolerance $3)" >&2
        status=1
    fi
}
check "RSS (kB)" $((rss1 - rss0)) $rss_tolerance_kb
check "file descriptors" $((fds1 - fds0)) $count_tolerance
check "X windows" $((w1 - w0)) $count_tolerance
check "X pixmaps" $((p1 - p0)) $count_tolerance
check "X cursors" $((c1 - c0)) $count_tolerance
check "X GCs" $((g1 - g0)) $count_tolerance
[ $status -eq 0 ] && echo "soak.sh: no growth beyond the tolerances"
exit $status
