#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the image library's category folders (bullets, buttons, lines) from
# scratch with ImageMagick. Run from the source tree's top.
set -eu

mkdir -p data/bullets data/buttons data/lines

# Bullets: a disc, a square and a diamond in a few colours, 16 x 16.
for colour in red:'#c0282d' green:'#2e8b3a' blue:'#2a5db0' gold:'#d9a21b'; do
    name=${colour%%:*} value=${colour#*:}
    convert -size 16x16 xc:none -fill "$value" -stroke '#202020' -strokewidth 1 \
        -draw "circle 8,8 8,2" -colors 16 "data/bullets/ball_$name.gif"
    convert -size 16x16 xc:none -fill "$value" -stroke '#202020' -strokewidth 1 \
        -draw "rectangle 3,3 12,12" -colors 16 "data/bullets/square_$name.gif"
    convert -size 16x16 xc:none -fill "$value" -stroke '#202020' -strokewidth 1 \
        -draw "polygon 8,1 15,8 8,15 1,8" -colors 16 "data/bullets/diamond_$name.gif"
done

# Buttons: 88 x 31 with a caption on a raised face.
for entry in home:'Home':'#2a5db0' back:'Back':'#6b6b6b' next:'Next':'#2e8b3a' \
    mail:'Mail':'#c0282d' top:'Top':'#d9a21b'; do
    name=${entry%%:*} rest=${entry#*:}
    caption=${rest%%:*} value=${rest#*:}
    convert -size 88x31 "xc:$value" -raise 3 -fill white -font DejaVu-Sans-Bold \
        -pointsize 14 -gravity center -annotate +0+0 "$caption" -colors 32 \
        "data/buttons/$name.gif"
done

# Lines: section rules 400 x 4 and a dotted one.
for colour in blue:'#2a5db0' red:'#c0282d' green:'#2e8b3a'; do
    name=${colour%%:*} value=${colour#*:}
    convert -size 400x4 -define gradient:direction=east "gradient:white-$value" \
        \( +clone -flop \) +append -resize 400x4\! -colors 32 "data/lines/rule_$name.gif"
done
convert -size 400x4 xc:white -fill '#404040' \
    -draw "$(i=0; while [ $i -lt 400 ]; do printf 'rectangle %d,1 %d,2 ' $i $((i + 3)); i=$((i + 8)); done)" \
    -colors 4 data/lines/dotted.gif
