#!/bin/bash
# Renders the application icon's PNG sizes (needs rsvg-convert, Debian package librsvg2-bin).
# Writes mervasto-<size>.png beside this script: 16 px from mervasto-16.svg, drawn on the
# pixel grid, every other size from the scalable mervasto.svg.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
command -v rsvg-convert >/dev/null || {
    echo "render.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
}

render() {
    local source=$1 size=$2
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$here/mervasto-$size.png" "$here/$source"
}

render mervasto-16.svg 16
for size in 32 48 64 128 256; do
    render mervasto.svg "$size"
done
