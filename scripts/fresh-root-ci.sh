#!/usr/bin/env bash
# Runs CI the way a fresh machine gets it: a Debian 12 root with nothing installed
# (debootstrap --variant=minbase), the given commit cloned into it, `CI=true bash .ci/run` inside
# chroot as root, and everything removed again afterwards. The pristine root is made once and
# kept as a tarball, so that later runs only unpack it.
# Needs root, debootstrap and Debian's mirror.
#   scripts/fresh-root-ci.sh [commit] [-- command...]   (default: HEAD, then CI=true bash .ci/run)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mirror=${QUORVIN_DEBIAN_MIRROR:-http://deb.debian.org/debian}
cache=${QUORVIN_FRESH_ROOT_CACHE:-/var/cache/quorvin-fresh-root}
pristine=$cache/bookworm-minbase.tar.gz
[ "$(id -u)" -eq 0 ] || { echo "fresh-root-ci: needs root (debootstrap, chroot)" >&2; exit 1; }

commit=HEAD
if [ $# -gt 0 ] && [ "$1" != -- ]; then commit=$1; shift; fi
[ "${1:-}" = -- ] && shift
command=("$@")
[ ${#command[@]} -eq 0 ] && command=(bash .ci/run)
commit=$(git -C "$repo" rev-parse --verify "$commit^{commit}")
step() { echo "fresh-root-ci: $*"; }

mkdir -p "$cache"
# One pristine root, made once even when two runs start together.
exec 9>"$cache/lock"
flock 9
if [ ! -s "$pristine" ]; then
    command -v debootstrap >/dev/null || { echo "fresh-root-ci: debootstrap is missing" >&2; exit 1; }
    step "making the pristine Debian 12 root once (minutes)"
    make=$(mktemp -d /var/tmp/quorvin-debootstrap.XXXXXX)
    if ! debootstrap --variant=minbase bookworm "$make/root" "$mirror" >"$make/log" 2>&1; then
        tail -20 "$make/log" >&2
        rm -rf "$make"
        exit 1
    fi
    tar -C "$make/root" -czf "$pristine.part" . && mv "$pristine.part" "$pristine"
    rm -rf "$make"
fi
flock -u 9

work=$(mktemp -d /var/tmp/quorvin-fresh-root.XXXXXX)
target=$work/root
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
    # Never delete through a mount that failed to go.
    if ! grep -q " $target[/ ]" /proc/mounts; then rm -rf "$work"; else echo "fresh-root-ci: left $work" >&2; fi
}
trap cleanup EXIT

step "unpacking the pristine root into $target"
mkdir "$target"
tar -C "$target" -xzf "$pristine"
cp /etc/resolv.conf "$target/etc/resolv.conf"
# Packages installed inside must not start services.
printf '#!/bin/sh\nexit 101\n' >"$target/usr/sbin/policy-rc.d"
chmod +x "$target/usr/sbin/policy-rc.d"

step "cloning $commit"
git clone -q --no-local --no-checkout "$repo" "$target/root/quorvin"
git -C "$target/root/quorvin" checkout -q --detach "$commit"

# A machine's root is a mount point; a chroot's folder is not, and tools that change mount
# propagation (unshare, for the sway test's namespaces) refuse one that is not.
mount --bind "$target" "$target" && mounted+=("$target")
mount -t proc proc "$target/proc" && mounted+=("$target/proc")
mount -t sysfs sysfs "$target/sys" && mounted+=("$target/sys")
mount --bind /dev "$target/dev" && mounted+=("$target/dev")
mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$target/dev/pts" \
    && mounted+=("$target/dev/pts")
mount -t tmpfs shm "$target/dev/shm" && mounted+=("$target/dev/shm")

step "running ${command[*]} (CI=true) in the fresh root"
status=0
chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive CI=true \
    bash -c 'cd /root/quorvin && exec "$@"' fresh-root "${command[@]}" || status=$?
step "finished with status $status"
exit "$status"
