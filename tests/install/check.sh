#!/bin/sh
# Installs the build into a temporary prefix and checks the tree a desktop
# reads: the executable, a valid desktop entry and metainfo, the icons, each
# named and versioned as configured (TESSIVAN_APP_ID, TESSIVAN_VERSION).
# Usage: check.sh BUILD_DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$1" --prefix "$prefix" >/dev/null
id=$TESSIVAN_APP_ID
share="$prefix/share"

[ -x "$prefix/bin/tessivan" ] || fail "no executable bin/tessivan"
keepers="$prefix/libexec/tessivan"
[ "$TESSIVAN_X11" != 1 ] || [ -x "$keepers/tessivan-keeper-x11" ] || fail "no X11 clipboard keeper in $keepers"
[ "$TESSIVAN_WAYLAND" != 1 ] || [ -x "$keepers/tessivan-keeper-wayland" ] ||
    fail "no Wayland clipboard keeper in $keepers"
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q "<release version=\"$TESSIVAN_VERSION\"" "$share/metainfo/$id.metainfo.xml" ||
    fail "no release $TESSIVAN_VERSION in the metainfo"
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "the desktop entry names another icon"
zcat "$prefix/share/doc/tessivan/changelog.gz" | head -n 1 | grep -qF "tessivan ($TESSIVAN_VERSION)" ||
    fail "the changelog is not of $TESSIVAN_VERSION"
zcat "$prefix/share/man/man1/tessivan.1.gz" | grep -qF "\"tessivan $TESSIVAN_VERSION\"" ||
    fail "the manual page is not of $TESSIVAN_VERSION"
[ -s "$prefix/share/doc/tessivan/copyright" ] || fail "no licence"

icons="$share/icons/hicolor"
grep -q '<svg' "$icons/scalable/apps/$id.svg" || fail "no scalable icon"
for size in 16 32 48 64 128 256; do
    png="$icons/${size}x${size}/apps/$id.png"
    [ -f "$png" ] || fail "no $size px icon"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
    [ "$dimensions" = "${size}x${size}" ] || fail "$png is $dimensions"
done
echo "install tree: passed"
