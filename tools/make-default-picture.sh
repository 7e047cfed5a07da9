#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the built-in picture (880 x 560, JPEG): an evening landscape with hills, a lake, a sun and a
# hot-air balloon. Needs ImageMagick. Run from the top of the tree; writes resources/default.jpg.
set -euo pipefail
out=${1:-resources/default.jpg}
convert -size 880x560 xc:white \
  \( -size 880x330 gradient:'#1d3b7a-#ff9a4d' \) -geometry +0+0 -composite \
  -fill '#ffe9a8' -draw "circle 640,250 640,200" \
  -fill '#fff4cc' -draw "circle 640,250 640,222" \
  -fill '#6b3f7d' -draw "polygon 0,330 90,220 170,270 260,160 380,290 470,210 560,300 660,190 760,280 880,200 880,330" \
  -fill '#3f6e4a' -draw "polygon 0,330 0,300 120,250 240,310 330,260 450,320 560,270 700,330" \
  -fill '#2f5b3c' -draw "polygon 500,330 620,280 720,300 820,260 880,290 880,330" \
  \( -size 880x230 gradient:'#ff9a4d-#16305f' \) -geometry +0+330 -composite \
  -fill '#ffe9a8' -draw "rectangle 600,335 680,338" -draw "rectangle 590,350 690,352" \
  -draw "rectangle 610,366 670,368" -draw "rectangle 625,384 655,386" \
  -fill '#24472f' -draw "polygon 0,560 0,430 140,470 260,520 330,560" \
  -fill '#1b3624' -draw "polygon 880,560 880,450 760,490 640,560" \
  -fill '#1b3624' -draw "polygon 60,440 80,360 100,440" -draw "polygon 100,455 122,370 144,455" \
  -draw "polygon 800,470 820,395 840,470" \
  -fill '#e63946' -draw "ellipse 250,110 38,46 0,360" \
  -fill '#f1c453' -draw "polygon 226,80 274,80 280,110 220,110" \
  -fill '#2a9d8f' -draw "polygon 216,120 284,120 268,146 232,146" \
  -stroke '#4a3420' -strokewidth 2 -draw "line 236,148 240,168" -draw "line 264,148 260,168" \
  -stroke none -fill '#8b5a2b' -draw "rectangle 238,166 262,182" \
  -quality 90 "$out"
identify "$out"
