#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Sonavel developers
# Redraws the program's icons in packaging/icons. The 32 x 32 is rendered from the SVG; the
# 16 x 16 is drawn pixel by pixel from the map below, because the SVG scaled down blurs its
# slots and knobs into grey. Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -eu
icons=$(dirname "$0")/../packaging/icons

# -strip leaves out the time stamps, so the same drawing gives the same bytes.
rsvg-convert -w 32 -h 32 "$icons/sonavel.svg" | convert png:- -strip PNG32:"$icons/sonavel-32.png"

# K black, D dark grey, L light grey, W white, . transparent.
awk '
BEGIN {
    print "# ImageMagick pixel enumeration: 16,16,255,srgba"
    rgba["."] = "0,0,0,0"
    rgba["K"] = "0,0,0,255"
    rgba["D"] = "128,128,128,255"
    rgba["L"] = "192,192,192,255"
    rgba["W"] = "255,255,255,255"
}
length($0) != 16 || $0 ~ /[^.KDLW]/ { print "bad row " NR ": " $0 > "/dev/stderr"; exit 1 }
{ for (x = 1; x <= 16; x++) printf "%d,%d: (%s)\n", x - 1, NR - 1, rgba[substr($0, x, 1)] }
' <<'MAP' | convert txt:- -strip PNG32:"$icons/sonavel-16.png"
................
................
.KKKKKKKKKKKKKK.
KWWWWWWWWWWWWWLK
KWLLKWLLKWLLKWDK
KWLLKWLKKKLLKWDK
KWLLKWLKWKLLKWDK
KWLLKWLKKKLKKKDK
KWDDKWDDKWDKWKDK
KWLKKKLLKWLKKKDK
KWLKWKLLKWLLKWDK
KWLKKKLLKWLLKWDK
KWLLKWLLKWLLKWDK
KLDDDDDDDDDDDDDK
.KKKKKKKKKKKKKK.
................
MAP

# The Windows icon: the two above, with 48 and 256 pixel renderings for Explorer's larger views.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 48 256; do
    rsvg-convert -w $size -h $size "$icons/sonavel.svg" >"$work/sonavel-$size.png"
done
convert "$icons/sonavel-16.png" "$icons/sonavel-32.png" "$work/sonavel-48.png" \
    "$work/sonavel-256.png" -strip -type TrueColorAlpha "$icons/../windows/sonavel.ico"
