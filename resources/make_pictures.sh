#!/usr/bin/env bash
# Draws the program's neutral pictures with ImageMagick. The PNG files are
# kept in the tree; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/pictures"
IM=/usr/bin/convert
strip="-strip -depth 8 -define png:exclude-chunks=date,time"

$IM -size 465x79 gradient:'#1f4e79'-'#9dc3e6' -rotate 90 $strip strip.png
$IM -size 550x150 gradient:'#dce6f0'-'#ffffff' -fill '#1f4e79' -draw 'rectangle 0,0 549,11' \
    -fill '#9dc3e6' -draw 'rectangle 0,138 549,149' $strip banner.png

# The document icon of the main window.
$IM -size 16x16 xc:none -fill white -stroke '#1f4e79' -draw 'rectangle 2,1 13,14' \
    -stroke '#9dc3e6' -draw 'line 4,5 11,5' -draw 'line 4,8 11,8' -draw 'line 4,11 9,11' $strip main_icon.png

# Options: a ring with a hub.
options() { $IM -size "$1x$1" xc:none -fill '#9dc3e6' -stroke '#1f4e79' -strokewidth "$2" \
    -draw "circle $3,$3 $3,$4" -fill '#1f4e79' -draw "circle $3,$3 $3,$5" $strip "$6"; }
options 32 2 15.5 3 11 options_icon.png
options 16 1 7.5 1 5.5 options_icon16.png

# About: a disc with a bar and a dot.
about() { $IM -size "$1x$1" xc:none -fill '#1f4e79' -draw "circle $2,$2 $2,1" -fill white -stroke none \
    -draw "rectangle $3" -draw "rectangle $4" $strip "$5"; }
about 32 15.5 '14,13 17,25' '14,7 17,10' about_icon.png
about 16 7.5 '7,7 8,13' '7,3 8,5' about_icon16.png
about 20 9.5 '9,8 10,16' '9,4 10,6' about_small.png

