#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder and checks its control
# data, its dependencies and its file list, then lets lintian judge it.
#   check-deb.sh <build dir> <application id>
set -euo pipefail

build=$1 id=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb=$out/quorvin_0.1_$arch.deb
[ -f "$deb" ] || fail "no quorvin_0.1_$arch.deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvin ] || fail "Package: $(field Package)"
[ "$(field Version)" = 0.1 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = graphics ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[ -n "$(field Description | sed -n 2p)" ] || fail "the description has no long text"

# One entry per package name, without versions.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g' | sort)
# Computed by dpkg-shlibdeps from the binary: versioned, and present only if it is linked.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libxcb1; do
    grep -qxF "$lib" <<<"$depends" || fail "Depends lacks $lib"
done
field Depends | grep -Eq "libqt6widgets6 \(>= " || fail "the Qt dependency carries no version"
# Loaded at run time without being linked.
for pkg in qt6-qpa-plugins qt6-translations-l10n fonts-liberation libxcb-xinput0; do
    grep -qx "$pkg" <<<"$depends" || fail "Depends lacks $pkg"
done
dups=$(uniq -d <<<"$depends")
[ -z "$dups" ] || fail "Depends names twice: $dups"

expected="./usr/bin/quorvin
./usr/libexec/quorvin/quorvin-clipboard-keeper
./usr/share/applications/$id.desktop
./usr/share/doc/quorvin/changelog.gz
./usr/share/doc/quorvin/copyright
./usr/share/icons/hicolor/128x128/apps/$id.png
./usr/share/icons/hicolor/16x16/apps/$id.png
./usr/share/icons/hicolor/24x24/apps/$id.png
./usr/share/icons/hicolor/256x256/apps/$id.png
./usr/share/icons/hicolor/32x32/apps/$id.png
./usr/share/icons/hicolor/48x48/apps/$id.png
./usr/share/icons/hicolor/64x64/apps/$id.png
./usr/share/man/man1/quorvin.1.gz
./usr/share/metainfo/$id.metainfo.xml"
files=$(dpkg-deb -c "$deb" | grep -v '^d' | awk '{print $6}' | sort)
[ "$files" = "$expected" ] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$files"))"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {bad = 1} END {exit bad}' || fail "files not owned by root"
dpkg-deb -c "$deb" | grep ' \./usr/bin/quorvin$' | grep -q '^-rwxr-xr-x' || fail "the program is not 0755"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/quorvin >"$out/quorvin"
file "$out/quorvin" | grep -q ', stripped' || fail "the program is not stripped"

lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "check-deb: $(basename "$deb") is well-formed"
