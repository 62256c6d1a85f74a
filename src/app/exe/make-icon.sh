#!/usr/bin/env bash
# Draws korvane.ico: a drawing sheet with its frame and title block, in 16, 32 and 48 pixels.
# Run once after changing the drawing; the icon itself is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
  m=$((s / 16))                     # frame margin
  w=$((s - 1))
  tb_x=$((s / 2))                   # title block: lower right quarter
  tb_y=$((s * 5 / 8))
  convert -size "${s}x${s}" xc:none \
    -fill '#f4f6f8' -stroke '#2b4a6f' -strokewidth 1 -draw "rectangle 0,$((s / 8)) $w,$w" \
    -fill none -stroke '#2b4a6f' -draw "rectangle $m,$((s / 8 + m)) $((w - m)),$((w - m))" \
    -fill '#f2a33a' -stroke '#2b4a6f' -draw "rectangle $tb_x,$tb_y $((w - m)),$((w - m))" \
    -stroke '#2b4a6f' -draw "line $tb_x,$(((tb_y + w - m) / 2)) $((w - m)),$(((tb_y + w - m) / 2))" \
    -fill '#2b4a6f' -stroke none -draw "polygon $((s / 8)),0 $((s / 2)),0 $((s * 5 / 16)),$((s / 4))" \
    "PNG32:$tmp/icon-$s.png"
done
convert "$tmp/icon-16.png" "$tmp/icon-32.png" "$tmp/icon-48.png" korvane.ico
