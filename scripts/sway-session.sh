#!/usr/bin/env bash
# Runs a command in a headless sway of its own: two outputs side by side, the right one at scale
# 2, each with a solid background and a foot terminal of a known colour, and XWayland. The command
# gets DISPLAY (XWayland), WAYLAND_DISPLAY and SWAYSOCK, and QUORVIN_SWAY_COLOURS naming the
# colours. sway refuses root, so it runs as nobody; private mount, network and PID namespaces give
# it a /tmp of its own (wlroots only tries X displays :0 to :32) and end every process with the
# command. Needs root for the namespaces; exits 77 (skipped) without.
# Usage: sway-session.sh command [args...]
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    echo "sway-session.sh: needs root for its namespaces; skipped" >&2
    exit 77
fi
for tool in sway swaybg foot Xwayland setpriv unshare; do
    command -v "$tool" >/dev/null || { echo "sway-session.sh: $tool missing" >&2; exit 1; }
done

if [ -z "${QUORVIN_SWAY_NAMESPACE:-}" ]; then
    exec unshare --mount --net --pid --fork --mount-proc \
        env QUORVIN_SWAY_NAMESPACE=1 "$0" "$@"
fi

# The host's /tmp stays reachable under /mnt, and any sanitizer report folder in it stays where
# the caller looks for it.
mount --make-rprivate /
mount --bind /tmp /mnt
mount -t tmpfs -o mode=1777 tmpfs /tmp
for options in "${ASAN_OPTIONS:-}" "${UBSAN_OPTIONS:-}"; do
    path=$(sed -n 's/.*log_path=\([^:]*\).*/\1/p' <<<"$options")
    dir=$(dirname "${path:-/}")
    case "$dir" in
    /tmp/?*) mkdir -p "$dir" && mount --bind "/mnt${dir#/tmp}" "$dir" ;;
    esac
done
mkdir -m 1777 /tmp/.X11-unix

session=/tmp/sway-session
mkdir -m 755 "$session"
mkdir -m 700 "$session/runtime" "$session/home"
chown nobody:nogroup "$session/runtime" "$session/home"

# Solid colours only: every pixel of a background or an empty terminal is its colour.
export QUORVIN_SWAY_COLOURS="bg1=#20A040 bg2=#C03050 foot1=#3050C0 foot2=#E0C020"
cat >"$session/config" <<'EOF'
xwayland force
output HEADLESS-1 mode 1280x720 position 0 0 scale 1 bg #20A040 solid_color
output HEADLESS-2 mode 1280x720 position 1280 0 scale 2 bg #C03050 solid_color
workspace 1 output HEADLESS-1
workspace 2 output HEADLESS-2
default_border none
default_floating_border none
assign [app_id="foot1"] workspace 1
assign [app_id="foot2"] workspace 2
for_window [app_id="foot1"] floating enable, resize set 240 160, move position 20 540
for_window [app_id="foot2"] floating enable, resize set 240 160, move position 40 40
exec sh -c 'xhost +si:localuser:root >/dev/null && echo "$DISPLAY $WAYLAND_DISPLAY $SWAYSOCK" >/tmp/sway-session/home/env.tmp && mv /tmp/sway-session/home/env.tmp /tmp/sway-session/home/env'
exec foot --app-id=foot1 --window-size-pixels=240x160 -o colors.background=3050c0 -o colors.foreground=3050c0 sh -c 'printf "\033[?25l"; exec sleep 1000'
exec foot --app-id=foot2 --window-size-pixels=240x160 -o colors.background=e0c020 -o colors.foreground=e0c020 sh -c 'printf "\033[?25l"; exec sleep 1000'
EOF

# From a folder of its own: the caller's (a build tree under /root, say) may be closed to nobody,
# and the terminals sway starts there would fail to start.
(cd "$session/home" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i PATH="$PATH" HOME="$session/home" XDG_RUNTIME_DIR="$session/runtime" \
    WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$session/config") >"$session/sway.log" 2>&1 &
sway=$!

for _ in $(seq 200); do [ -s "$session/home/env" ] && break; sleep 0.05; done
if [ ! -s "$session/home/env" ]; then
    echo "sway-session.sh: sway did not start" >&2
    cat "$session/sway.log" >&2
    exit 1
fi
read -r DISPLAY wayland SWAYSOCK <"$session/home/env"
export DISPLAY SWAYSOCK
export WAYLAND_DISPLAY="$session/runtime/$wayland"
export XDG_RUNTIME_DIR="$session/client-runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QUORVIN_SWAY_NAMESPACE

# Both terminals mapped, where the config put them.
mapped() { [ "$(swaymsg -t get_tree | grep -c '"app_id": "foot[12]"')" = 2 ]; }
for _ in $(seq 200); do mapped && break; sleep 0.05; done
mapped || { echo "sway-session.sh: the terminals did not appear" >&2; cat "$session/sway.log" >&2; exit 1; }

status=0
"$@" || status=$?
[ $status -eq 0 ] || { echo "--- sway log" >&2; tail -n 40 "$session/sway.log" >&2; }
kill "$sway" 2>/dev/null || true
exit $status
