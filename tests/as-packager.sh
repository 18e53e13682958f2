#!/bin/sh
# Builds and tests the project as a packager would, on a copy of its sources
# with another version in project(): the whole suite with other contact
# values and application id, then the suite of a build without X11, where
# pkg-config finds no xcb and the program links none.
# Usage: as-packager.sh
set -eu
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=2.3.0.7

mkdir "$work/source" "$work/no-xcb"
(cd "$source" && git ls-files --cached --others --exclude-standard -z | xargs -0 tar cf -) |
    tar xf - -C "$work/source"
sed -i "s/^    VERSION [0-9.]*\$/    VERSION $version/" "$work/source/CMakeLists.txt"
grep -q "^    VERSION $version\$" "$work/source/CMakeLists.txt" || { echo "no version line to change" >&2; exit 1; }

suite() {
    build=$1
    shift
    cmake -S "$work/source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
    cmake --build "$build" >/dev/null
    ctest --test-dir "$build" --output-on-failure --no-tests=error -j 2
}

echo "Version $version, packager's values:"
suite "$work/packager" -DContactSite=velmora.net -DContactMail=me@velmora.net \
    -DTESSIVAN_APP_ID=net.velmora.Tessivan
echo "Without X11, no xcb to be found:"
for folder in $(pkg-config --variable pc_path pkg-config | tr ':' ' '); do
    for module in "$folder"/*.pc; do
        [ -e "$module" ] || continue
        case "$(basename "$module")" in xcb* | x11* | xau* | xdmcp*) ;; *) ln -sf "$module" "$work/no-xcb/" ;; esac
    done
done
PKG_CONFIG_LIBDIR="$work/no-xcb" suite "$work/no-x11" -DTESSIVAN_X11=OFF
