#!/usr/bin/env bash
# Installs what building and running need, from Debian 12's own packages; with "package", also
# what cpack needs for the Debian package; with "test", also what the tests, the package checks,
# the sanitizer and fuzz runs and the benchmarks need.
# Runs as root, or through sudo for a normal user; does nothing when all is there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libxcb1-dev libxcb-xfixes0-dev libxcb-xinput-dev libx11-dev libfontconfig-dev zlib1g-dev
    libwayland-dev wayland-protocols
    fonts-liberation fonts-dejavu-core
)
if [ "${1:-}" = package ]; then
    packages+=(dpkg-dev)
fi
if [ "${1:-}" = test ]; then
    packages+=(
        xvfb openbox xdotool xclip x11-utils x11-xserver-utils imagemagick
        weston xwayland sway swaybg foot xserver-xephyr qt6-wayland dbus dbus-x11
        clang libclang-rt-14-dev libfuzzer-14-dev
        desktop-file-utils appstream lintian dpkg-dev fakeroot
        linux-perf hyperfine valgrind xrestop libxcb-damage0-dev libxcb-xtest0-dev
    )
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo -E)
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
