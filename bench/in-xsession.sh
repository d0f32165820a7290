#!/usr/bin/env bash
# Runs one command in an X session of its own (Xvfb + openbox, display picked by the server) with
# a private runtime folder, and stops the session again.
set -euo pipefail

session=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$session" "${runtime:-}"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$session/display" ] && break; sleep 0.1; done
[ -s "$session/display" ] || { echo "in-xsession: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$session/display")"
# In memory, as a desktop session's /run/user is: the single-instance lock file is synced to disk
# on creation, which on a disk-backed /tmp alone costs several milliseconds of every start.
runtime=$(mktemp -d /dev/shm/quorvin-bench.XXXXXX 2>/dev/null || mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"

openbox >"$session/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
"$@"
