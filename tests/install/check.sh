#!/bin/sh
# Installs the build into a temporary prefix and checks the tree a desktop
# reads: the executable, a valid desktop entry and metainfo, the icons.
# Usage: check.sh BUILD_DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$1" --prefix "$prefix" >/dev/null
id=org.example.Tessivan
share="$prefix/share"

[ -x "$prefix/bin/tessivan" ] || fail "no executable bin/tessivan"
[ -x "$prefix/libexec/tessivan/tessivan-keeper" ] || fail "no clipboard keeper in libexec/tessivan"
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q '<release version="1.0.0.0"' "$share/metainfo/$id.metainfo.xml" || fail "no release 1.0.0.0"
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
