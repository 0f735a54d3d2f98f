#!/usr/bin/env bash
# Renders the pictures of the program from their drawings in svg/ (needs rsvg-convert from
# librsvg2-bin and ImageMagick's convert): tool-bar glyphs (20 x 20), icons 102 (32 x 32) and
# 103 (16 x 16, both 16 colours), the desktop's icons hicolor/NxN/apps/fr.tavo.Tavo2000.png
# (the scalable one is svg/tavo.svg itself), the about box's title 603 (150 x 30) and the
# splash picture logo.bmp (320 x 240, linked from data/) and the federation emblem ffam.bmp
# (300 x 300, copied to data/). The results are committed; the build does not run this.
set -euo pipefail
cd "$(dirname "$0")"
for n in 201 202 204 301 302 303; do
    rsvg-convert -w 20 -h 20 svg/$n.svg -o $n.png
done
rsvg-convert -w 32 -h 32 svg/tavo.svg | convert - -colors 16 PNG8:102.png
rsvg-convert -w 16 -h 16 svg/tavo.svg | convert - -colors 16 PNG8:103.png
for s in 16 22 24 32 48 64 128 256; do
    mkdir -p hicolor/${s}x$s/apps
    rsvg-convert -w $s -h $s svg/tavo.svg -o hicolor/${s}x$s/apps/fr.tavo.Tavo2000.png
done
rsvg-convert -w 150 -h 30 svg/603.svg -o 603.png
rsvg-convert -w 320 -h 240 svg/logo.svg | convert - -alpha off -type TrueColor BMP3:logo.bmp
rsvg-convert -w 300 -h 300 svg/ffam.svg | convert - -alpha off -type TrueColor BMP3:ffam.bmp
cp ffam.bmp ../data/ffam.bmp
