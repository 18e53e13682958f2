#!/bin/sh
# Names the renderings in an .iconset folder as iconutil expects them.
set -eu
cd "$1"
for size in 16 32 128 256 512; do
    cp "tessivan-$size.png" "icon_${size}x${size}.png"
    cp "tessivan-$((size * 2)).png" "icon_${size}x${size}@2x.png"
done
rm tessivan-*.png
