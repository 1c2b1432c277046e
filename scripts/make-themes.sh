#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the graphic themes of data/themes/ from scratch with ImageMagick:
# per theme a background tile (t_), a section line (l_), the four arrows
# (w_ e_ n_ s_) and a question mark (q_). Run from the source tree's top.
set -eu
out=data/themes
mkdir -p "$out"

# theme  light-colour  dark-colour  accent-colour
theme() {
    name=$1 light=$2 dark=$3 accent=$4
    # Background: a light tile with a few dots placed so that tiles meet seamlessly.
    convert -size 64x64 "xc:$light" -fill white -draw "circle 16,16 19,16" \
        -draw "circle 48,48 51,48" -fill "$accent" -draw "point 48,16" -draw "point 16,48" \
        -colors 16 "$out/t_$name.gif"
    # Section line: dark at both ends, the accent colour in the middle.
    convert -size 240x6 -define gradient:direction=east "gradient:$dark-$accent" \
        \( +clone -flop \) +append -colors 32 "$out/l_$name.gif"
    # Arrows: one right-pointing arrow drawn once, turned for the others.
    convert -size 32x32 xc:none -fill "$accent" -stroke "$dark" -strokewidth 2 \
        -draw "polygon 4,11 17,11 17,4 29,16 17,28 17,21 4,21" \
        -background none -colors 32 "$out/e_$name.gif"
    convert "$out/e_$name.gif" -flop "$out/w_$name.gif"
    convert "$out/e_$name.gif" -rotate -90 "$out/n_$name.gif"
    convert "$out/e_$name.gif" -rotate 90 "$out/s_$name.gif"
    # Question mark on a disc.
    convert -size 32x32 xc:none -fill "$accent" -stroke "$dark" -strokewidth 2 \
        -draw "circle 16,16 16,2" -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 22 \
        -gravity center -annotate +0+1 "?" -colors 32 "$out/q_$name.gif"
}

theme ocean '#cfe6f7' '#0b3d6b' '#2f86c8'
theme forest '#d8eed2' '#1f4d1a' '#4f9a3c'
theme sunset '#fbe0c8' '#6b1f3a' '#e0702a'
