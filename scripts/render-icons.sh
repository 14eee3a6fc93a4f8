#!/usr/bin/env bash
# Draws Songloom's icon, a C major chord grid on a sheet, as one SVG per size
# whose lines fall on whole pixels, and renders each to the PNG the desktop
# uses at that size; the 256 px drawing is also the scalable icon. Writes
# resources/desktop/icons/ and docs/icon-sizes.png (the sizes side by side).
# Needs rsvg-convert and ImageMagick: scripts/install-deps.sh icons
set -euo pipefail
cd "$(dirname "$0")/.."
out=resources/desktop/icons
mkdir -p "$out"

# One drawing per size. Every rectangle is given in whole pixels, so a
# 1 px string at 16 px is one crisp column, not two grey ones.
icon_svg() {
  awk -v S="$1" 'BEGIN {
    inset = int(S / 32); border = (S < 64) ? 1 : int(S / 32)
    radius = S / 8
    lw = (S < 96) ? 1 : int(S / 48)                 # strings and frets
    nut = (S < 24) ? 1 : (S < 48) ? 2 : int(S / 16)
    pitch = int(S * 0.15)                           # between strings
    cell = (S < 24) ? 4 : (S < 48) ? int(S * 0.16 + 0.5) : int(S * 0.14 + 0.5)  # between frets
    frets = (S < 32) ? 3 : 4
    span = 5 * pitch + lw
    marks = (S >= 48) ? int(cell * 0.75) : 0        # open and muted strings
    height = marks + nut + frets * cell
    x0 = int((S - span + 1) / 2); y0 = int((S - height + 1) / 2) + marks; top = y0 + nut
    ink = "#2e2118"; grid = (S < 24) ? "#6a5444" : ink; paper = "#fbf4e4"; edge = "#6d4526"; dot = "#d4471f"
    printf "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n", S, S, S, S
    printf "  <title>Songloom</title>\n"
    tile = (S < 32) ? " shape-rendering=\"crispEdges\"" : ""
    printf "  <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" rx=\"%g\" fill=\"%s\"%s/>\n", inset, inset, S - 2 * inset, S - 2 * inset, radius, edge, tile
    printf "  <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" rx=\"%g\" fill=\"%s\"%s/>\n", inset + border, inset + border, S - 2 * (inset + border), S - 2 * (inset + border), radius - border, paper, tile
    printf "  <g fill=\"%s\" shape-rendering=\"crispEdges\">\n", ink
    printf "    <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/>\n", x0, y0, span, nut
    printf "  </g>\n  <g fill=\"%s\" shape-rendering=\"crispEdges\">\n", grid
    # At 16 px the neck stays open at the bottom: a last fret would touch the edge.
    for (f = 1; f <= ((S < 24) ? frets - 1 : frets); f++)
      printf "    <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/>\n", x0, top + f * cell - lw, span, lw
    for (s = 0; s < 6; s++)
      printf "    <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/>\n", x0 + s * pitch, top, lw, frets * cell - ((S < 24) ? 1 : 0)
    printf "  </g>\n"
    # C major: A string at the third fret, D at the second, B at the first.
    split("1 2 4", dotString, " "); split("3 2 1", dotFret, " ")
    for (i = 1; i <= 3; i++) {
      sx = x0 + dotString[i] * pitch; gapTop = top + (dotFret[i] - 1) * cell; gap = cell - lw
      if (S <= 32) {
        w = lw + 2; h = (gap > 3) ? 3 : gap
        printf "  <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\" shape-rendering=\"crispEdges\"/>\n", sx - 1, gapTop + int((gap - h) / 2), w, h, dot
      } else {
        r = ((pitch < gap) ? pitch : gap) * 0.42
        printf "  <circle cx=\"%g\" cy=\"%g\" r=\"%g\" fill=\"%s\"/>\n", sx + lw / 2, gapTop + gap / 2, r, dot
      }
    }
    if (marks > 0) {
      # Open G and high E, muted low E, above the nut.
      mr = marks * 0.3; my = y0 - marks / 2 - lw / 2; sw = (lw > 1) ? lw : 1.5
      for (s = 3; s <= 5; s += 2)
        printf "  <circle cx=\"%g\" cy=\"%g\" r=\"%g\" fill=\"none\" stroke=\"%s\" stroke-width=\"%g\"/>\n", x0 + s * pitch + lw / 2, my, mr, ink, sw
      cx = x0 + lw / 2
      printf "  <path d=\"M%g %gL%g %gM%g %gL%g %g\" stroke=\"%s\" stroke-width=\"%g\" stroke-linecap=\"round\"/>\n", cx - mr, my - mr, cx + mr, my + mr, cx - mr, my + mr, cx + mr, my - mr, ink, sw
    }
    printf "</svg>\n"
  }'
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 24 32 48 64 128 256; do
  icon_svg "$size" >"$work/songloom-$size.svg"
  rsvg-convert -w "$size" -h "$size" "$work/songloom-$size.svg" -o "$out/songloom-$size.png"
done
cp "$work/songloom-256.svg" "$out/songloom.svg"

# The sizes a desktop shows most, at their own size on a light and a dark
# panel, and 16 and 48 px magnified pixel for pixel.
montage_panel() {
  convert -size 400x280 "xc:$1" \
    "$out/songloom-16.png" -geometry +20+132 -composite \
    "$out/songloom-48.png" -geometry +56+116 -composite \
    "$out/songloom-256.png" -geometry +124+12 -composite "$2"
}
montage_panel '#f2f2f2' "$work/light.png"
montage_panel '#303030' "$work/dark.png"
convert "$out/songloom-16.png" -filter point -resize 1600% "$work/big16.png"
convert "$out/songloom-48.png" -filter point -resize 500% "$work/big48.png"
convert -background white "$work/light.png" "$work/dark.png" -append "$work/panels.png"
convert -background white -bordercolor white "$work/panels.png" "$work/big16.png" "$work/big48.png" \
  -border 8 -gravity center +append -strip docs/icon-sizes.png
echo "Wrote $out and docs/icon-sizes.png"
