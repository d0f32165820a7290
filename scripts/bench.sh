#!/usr/bin/env bash
# Builds and runs every benchmark of the project, each in an X session of its own, and prints one
# table. Start-up and eyedropper rate run side by side with floor programs built in the same
# tree; the ratio is quorvin's figure over the floor's, measured in the same run.
#   scripts/bench.sh [start-up runs (30)] [eyedropper runs (5)] [seconds per eyedropper phase (2)]
# QUORVIN_BENCH_BEFORE=/path/to/an/older/quorvin adds that build to the eyedropper runs, for a
# before-and-after of one change in the same run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}
startRuns=${1:-30}
rateRuns=${2:-5}
rateSeconds=${3:-2}

"$root/scripts/install-deps.sh" test
cmake -S "$root" -B "$build" -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" >/dev/null

session=("$root/scripts/x-session.sh" --)
# No session bus for any of them: otherwise the floor would autolaunch one, which quorvin does
# not, and the comparison would favour quorvin.
export DBUS_SESSION_BUS_ADDRESS=disabled:
b="$build/bench"
. "$root/scripts/controls.sh"
eyedropper=$(centre picScreenColor)
quorvin="$build/app/quorvin"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "bench.sh: start-up, $startRuns runs each" >&2
# Beside them, the floor at quorvin's fixed client size: how much of the gap is the area alone.
"${session[@]}" "$b/bench_startup_launcher" "$startRuns" floor="$b/floor_window" quorvin="$quorvin" \
    sized="$b/floor_window 608x413" >"$out/startup"
echo "bench.sh: eyedropper, $rateRuns runs each" >&2
# The press lands on the eyedropper button, and in the middle of the floor's window.
before=()
[ -n "${QUORVIN_BENCH_BEFORE:-}" ] && before=(before="$QUORVIN_BENCH_BEFORE:${eyedropper/ /:}")
"${session[@]}" "$b/bench_eyedropper_launcher" "$b/getimage_counter.so" "$rateRuns" "$rateSeconds" \
    floor="$b/floor_eyedropper:100:100" quorvin="$quorvin:${eyedropper/ /:}" "${before[@]}" >"$out/rate"
echo "bench.sh: one tick" >&2
"${session[@]}" "$b/bench_tick" 2000 >"$out/tick"
echo "bench.sh: QBENCHMARK" >&2
for t in bench_color bench_startup bench_eyedropper; do
    "${session[@]}" "$b/$t" -csv >"$out/$t" 2>/dev/null || true
done

# Rows of the launchers' tables: | name | value (ratio) | ...
cell() { awk -F'|' -v n="$2" -v c="$3" '$2 ~ "^ *"n" *$" { gsub(/^ +| +$/, "", $c); print $c }' "$1"; }
value() { sed 's/ *(.*//' <<<"$1"; }
ratio() { sed -n 's/.*(\(.*\)x).*/\1/p' <<<"$1"; }
row() { # measure, quorvin cell, floor cell, target
    printf '| %s | %s | %s | %sx | %s |\n' "$1" "$(value "$2")" "$(value "$3")" "$(ratio "$2")" "$4"
}

echo "| benchmark | quorvin | floor | ratio | target |"
echo "|---|---|---|---|---|"
row "start-up: window mapped" "$(cell "$out/startup" quorvin 3)" "$(cell "$out/startup" floor 3)" "<= 1.10x"
row "start-up: first paint" "$(cell "$out/startup" quorvin 4)" "$(cell "$out/startup" floor 4)" "<= 1.15x"
row "start-up: peak RSS" "$(cell "$out/startup" quorvin 5)" "$(cell "$out/startup" floor 5)" "<= 1.10x"
row "start-up, floor at 608 x 413: window mapped" "$(cell "$out/startup" sized 3)" "$(cell "$out/startup" floor 3)" ""
row "start-up, floor at 608 x 413: first paint" "$(cell "$out/startup" sized 4)" "$(cell "$out/startup" floor 4)" ""
row "start-up, floor at 608 x 413: peak RSS" "$(cell "$out/startup" sized 5)" "$(cell "$out/startup" floor 5)" ""
# The hold shows the loupe: every quorvin figure below is with it.
row "eyedropper reads with the loupe, held still" "$(cell "$out/rate" quorvin 3)" "$(cell "$out/rate" floor 3)" ">= 0.98x"
row "eyedropper reads with the loupe, moving" "$(cell "$out/rate" quorvin 4)" "$(cell "$out/rate" floor 4)" ">= 0.95x"
plain() { printf '| %s | %s | %s | | |\n' "$1" "$2" "$3"; }
plain "processor per second of hold, held still" "$(cell "$out/rate" quorvin 5)" "$(cell "$out/rate" floor 5)"
plain "X server per second of hold, held still" "$(cell "$out/rate" quorvin 6)" "$(cell "$out/rate" floor 6)"
plain "processor per second of hold, moving" "$(cell "$out/rate" quorvin 7)" "$(cell "$out/rate" floor 7)"
plain "X server per second of hold, moving" "$(cell "$out/rate" quorvin 8)" "$(cell "$out/rate" floor 8)"
if [ ${#before[@]} -gt 0 ]; then
    row "before: eyedropper reads, held still" "$(cell "$out/rate" before 3)" "$(cell "$out/rate" floor 3)" ""
    row "before: eyedropper reads, moving" "$(cell "$out/rate" before 4)" "$(cell "$out/rate" floor 4)" ""
    for c in 5 6 7 8; do
        what=$(sed -n 1p "$out/rate" | awk -F'|' -v c="$c" '{ gsub(/^ +| +$/, "", $c); print $c }')
        plain "before: $what" "$(cell "$out/rate" before "$c")" "$(cell "$out/rate" floor "$c")"
    done
fi
awk -F'|' 'NR > 2 && NF > 3 { gsub(/^ +| +$/, "", $2); gsub(/^ +| +$/, "", $3);
    printf "| tick with a new colour: %s | %s µs | | | |\n", $2, $3 }' "$out/tick"
for t in bench_color bench_startup bench_eyedropper; do
    # "function","tag","metric",value,total,iterations
    sed -nE 's/^"([^"]*)","([^"]*)","WalltimeMilliseconds",([^,]+),.*/\1 \2|\3/p' "$out/$t" |
        while IFS='|' read -r name ms; do
            printf '| %s: %s | %s ms | | | |\n' "$t" "${name% }" "$(printf '%.4g' "$ms")"
        done
done
echo
echo "Measured on $(git -C "$root" rev-parse --short HEAD)$(git -C "$root" diff --quiet HEAD || echo ' (with local changes)'), $(nproc) cores, Xvfb + openbox."
