#!/usr/bin/env bash
# Builds the libFuzzer targets for the colour code conversions (preset fuzz: clang, a folder of its
# own) and runs each for a bounded time: scripts/fuzz.sh [seconds per target, default 20].
# A broken property or a crash leaves the input in the build folder and fails the run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_FUZZ_DIR:-$root/build-fuzz}
seconds=${1:-20}

"$root/scripts/install-deps.sh" test
read -r -a extra <<<"${QUORVIN_CMAKE_ARGS:-}"
cmake -S "$root" -B "$build" --preset fuzz "${extra[@]}"
cmake --build "$build"
mapfile -t targets <"$build/fuzz-targets.txt"

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus-$target"
    mkdir -p "$corpus"
    echo "fuzz.sh: $target for ${seconds}s"
    if ! (cd "$build" && "./$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 \
            -print_final_stats=1 "$corpus" 2>"$target.log"); then
        status=1
        echo "fuzz.sh: $target FAILED" >&2
        tail -n 40 "$build/$target.log" >&2
    else
        grep -E '^stat::number_of_executed_units' "$build/$target.log" || true
    fi
done
exit $status
