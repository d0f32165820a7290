#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root made with debootstrap, the way a person
# would (apt install ./quorvin_*.deb), starts it there under Xvfb in an English locale, opens the
# context menu of the decimal code field, saves pictures of the screen and of the menu (to be
# looked at: its entries must read German), and removes the package again.
# Needs root, debootstrap and Debian's mirror; takes minutes, so it is not part of the tests.
#   scripts/check-package.sh [quorvin_*.deb]     (default: builds one from the build folder)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVIN_BUILD_DIR:-$root/build}
mirror=${QUORVIN_DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "check-package: needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "check-package: debootstrap is missing" >&2; exit 1; }

work=$(mktemp -d)
target=$work/bookworm
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
    # Never delete through a mount that failed to go.
    if ! grep -q " $target/" /proc/mounts; then rm -rf "$work"; else echo "check-package: left $work" >&2; fi
}
trap cleanup EXIT
step() { echo "check-package: $*"; }
in_root() { chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

deb=${1:-}
if [ -z "$deb" ]; then
    cmake --build "$build"
    (cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
    deb=$(ls "$work"/deb/quorvin_*.deb)
fi
step "package $(basename "$deb")"

step "making a Debian 12 root in $target (minutes)"
debootstrap --variant=minbase bookworm "$target" "$mirror" >"$work/debootstrap.log" 2>&1 \
    || { tail -20 "$work/debootstrap.log" >&2; exit 1; }
mount -t proc proc "$target/proc" && mounted+=("$target/proc")
mkdir -p "$target/dev/shm" && mount -t tmpfs shm "$target/dev/shm" && mounted+=("$target/dev/shm")

cp "$deb" "$target/tmp/"
step "apt install ./$(basename "$deb")"
in_root apt-get install -y -q "/tmp/$(basename "$deb")" >"$work/apt.log" 2>&1 \
    || { tail -30 "$work/apt.log" >&2; exit 1; }
grep -E '^(Setting up|Unpacking) ' "$work/apt.log" | wc -l | xargs -I{} echo "check-package: {} unpack/setup steps"
in_root test -x /usr/bin/quorvin
in_root test -f /usr/share/applications/io.github.quorvin.Quorvin.desktop
in_root test -f /usr/share/icons/hicolor/256x256/apps/io.github.quorvin.Quorvin.png

step "installing Xvfb and tools to drive the window (not needed by the package)"
in_root apt-get install -y -q --no-install-recommends xvfb xauth x11-utils x11-apps xdotool \
    >"$work/apt-tools.log" 2>&1 || { tail -30 "$work/apt-tools.log" >&2; exit 1; }

step "starting quorvin under Xvfb"
cp "$root/scripts/controls.sh" "$target/tmp/"
cat >"$target/tmp/run.sh" <<'INNER'
set -eu
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>/tmp/display >/tmp/xvfb.log 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s /tmp/display ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 /tmp/display)"
mkdir -p /tmp/home && export HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# An English session: Qt's own texts must still come up German.
LANG=C.UTF-8 quorvin >/tmp/quorvin.log 2>&1 &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n1)
echo "window $window: $(xprop -id "$window" WM_CLASS WM_NAME | tr '\n' ' ')"
at() { xwininfo -id "$window" | sed -n "s/.*Absolute upper-left $1: *//p"; }
sleep 1
# Onto the decimal code field Text7.
. /tmp/controls.sh
set -- $(centre Text7)
xdotool mousemove $(($(at X) + $1)) $(($(at Y) + $2))
sleep 0.3
xdotool click 3
sleep 2
xwd -root -silent >/tmp/screen.xwd
# The menu has a visual of its own, which a picture of the root window leaves black.
for id in $(xdotool search --onlyvisible --pid "$app"); do
    [ "$((id))" = "$((window))" ] && continue
    xwininfo -id "$id" | sed -n 's/^xwininfo: //p; s/^ *\(Width\|Height\): */  \1 /p' | tr '\n' ' '
    echo
    xwd -id "$id" -silent >/tmp/menu.xwd
done
xdotool key Escape
kill "$app"; wait "$app" || true
kill "$xvfb"; wait "$xvfb" || true
echo "program output: $(cat /tmp/quorvin.log)"
INNER
in_root sh /tmp/run.sh
out=${QUORVIN_CHECK_PICTURE:-$build/check-package.png}
convert "xwd:$target/tmp/screen.xwd" "$out"
[ -s "$target/tmp/menu.xwd" ] || { echo "check-package: no context menu opened" >&2; exit 1; }
convert "xwd:$target/tmp/menu.xwd" "${out%.png}-menu.png"
step "screen saved as $out, the context menu of the code field as ${out%.png}-menu.png"

step "apt remove --purge quorvin"
in_root apt-get remove --purge -y -q quorvin >"$work/remove.log" 2>&1 \
    || { tail -20 "$work/remove.log" >&2; exit 1; }
left=$(cd "$target" && ls -d usr/bin/quorvin usr/share/applications/io.github.quorvin.* \
    usr/share/metainfo/io.github.quorvin.* usr/share/icons/hicolor/*/apps/io.github.quorvin.* \
    usr/share/doc/quorvin 2>/dev/null || true)
[ -z "$left" ] || { echo "check-package: left behind after removal: $left" >&2; exit 1; }
step "installed, started, and removed cleanly"
