#!/usr/bin/env bash
# Builds the libFuzzer targets for the colour code conversions with clang into a folder of its own
# and runs each for a bounded time: scripts/fuzz.sh [seconds per target, default 20].
# A broken property or a crash leaves the input in the build folder and fails the run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_FUZZ_DIR:-$root/build-fuzz}
seconds=${1:-20}
targets=(fuzz_colortohex fuzz_hextodec fuzz_padleft)

"$root/scripts/install-deps.sh" test
mkdir -p "$build"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
    -I"$root" -I"$root/tests/fuzz")
for target in "${targets[@]}"; do
    clang++-14 "${flags[@]}" "$root/color/ColorCodes.cpp" "$root/tests/fuzz/$target.cpp" \
        -o "$build/$target"
done

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
