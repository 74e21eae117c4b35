#!/usr/bin/env bash
# Renders the hicolor PNG icons from the drawings beside this script. The PNGs
# are kept in the tree, so a build never needs the renderer; run this after
# changing a drawing (needs rsvg-convert from librsvg2-bin). With a folder
# as argument it renders the hicolor tree there instead, for comparing.
#   16:      qvt410-16.svg, drawn on its own 16-pixel grid
#   22, 24:  qvt410-22.svg, drawn on a 22-pixel grid; 24 is it with a
#            one-pixel border, as the theme's 24-pixel icons are
#   32:      qvt410-32.svg, drawn on a 32-pixel grid
#   48..256: qvt410.svg, the scalable drawing
set -euo pipefail
cd "$(dirname "$0")"
out=${1:-hicolor}
id=de.qvt.qvt410

render() {  # size, drawing, extra rsvg-convert options...
    local size=$1 drawing=$2
    shift 2
    mkdir -p "$out/${size}x${size}/apps"
    rsvg-convert "$@" "$drawing" -o "$out/${size}x${size}/apps/$id.png"
}

render 16 qvt410-16.svg
render 22 qvt410-22.svg
render 24 qvt410-22.svg --page-width 24 --page-height 24 --left 1 --top 1
render 32 qvt410-32.svg
for size in 48 64 128 256; do
    render "$size" qvt410.svg -w "$size" -h "$size"
done
