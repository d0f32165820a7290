#!/usr/bin/env bash
# Installs the build into a temporary root as a distribution would (prefix /usr) and checks what
# the desktop gets: the menu entry, the icons, the AppStream metadata, each tied to one id.
#   check-install.sh <build dir> <application id> <window icon .ico>
set -euo pipefail

build=$1 id=$2 ico=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
for f in "$root/usr/bin/quorvin" "$desktop" "$metainfo"; do
    [ -e "$f" ] || fail "not installed: ${f#"$root"}"
done
[ -x "$root/usr/bin/quorvin" ] || fail "the program is not executable"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"

key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Icon)" = "$id" ] || fail "Icon=$(key Icon), expected $id"
[ "$(key Exec)" = quorvin ] || fail "Exec=$(key Exec) does not start the installed program"
# Qt takes WM_CLASS from the application name "quorvin"; docks match the window by it.
[ "$(key StartupWMClass)" = quorvin ] || fail "StartupWMClass=$(key StartupWMClass)"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $id.desktop"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo id is not $id"
for word in colour color picker pipette eyedropper Farbe; do
    key 'Keywords\(\[de\]\)\?' | tr ';' '\n' | grep -qx "$word" || fail "no keyword $word"
done

# Every size is the window icon itself, each pixel repeated, nothing smoothed.
for side in 32 64 128 256; do
    png=$root/usr/share/icons/hicolor/${side}x${side}/apps/$id.png
    [ -e "$png" ] || fail "no ${side}x${side} icon"
    [ "$(identify -format '%wx%h' "$png")" = "${side}x${side}" ] || fail "$png is not ${side}x${side}"
    convert "$ico" -scale "$((side / 32 * 100))%" "$root/expected.png"
    differing=$(compare -metric AE "$png" "$root/expected.png" null: 2>&1) \
        || fail "the ${side}x${side} icon differs from I1 in $differing pixels"
done
# The small sizes are drawn for their size, not shrunk: unsmoothed, each pixel either fully
# drawn or fully clear, and not the window icon scaled down. 48 is 16 with every pixel thrice.
for side in 16 24 48; do
    png=$root/usr/share/icons/hicolor/${side}x${side}/apps/$id.png
    [ -e "$png" ] || fail "no ${side}x${side} icon"
    [ "$(identify -format '%wx%h' "$png")" = "${side}x${side}" ] || fail "$png is not ${side}x${side}"
    partial=$(convert "$png" -alpha extract -fill black -opaque white -format '%[fx:maxima]' info:)
    [ "$partial" = 0 ] || fail "the ${side}x${side} icon has half-transparent pixels"
    [ "$(convert "$png" -format '%[fx:p{0,0}.a]' info:)" = 0 ] || fail "the ${side}x${side} icon fills its corner"
done
for side in 16 24; do
    convert "$ico" -scale "$((side * 100 / 32))%" "$root/shrunk.png"
    differing=$(compare -metric AE "$root/usr/share/icons/hicolor/${side}x${side}/apps/$id.png" \
        "$root/shrunk.png" null: 2>&1) && fail "the ${side}x${side} icon is I1 shrunk"
    [ "${differing%% *}" -gt 0 ] || fail "the ${side}x${side} icon is I1 shrunk"
done
convert "$root/usr/share/icons/hicolor/16x16/apps/$id.png" -scale 300% "$root/expected.png"
differing=$(compare -metric AE "$root/usr/share/icons/hicolor/48x48/apps/$id.png" \
    "$root/expected.png" null: 2>&1) || fail "the 48x48 icon differs from 16x16 enlarged in $differing pixels"
echo "check-install: $id installs and validates"
