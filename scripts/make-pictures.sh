#!/usr/bin/env bash
# Re-makes the pictures under src/resources/pictures/ with ImageMagick.
# The build embeds the committed files; run this only to change them.
#
# Needs the Debian packages imagemagick, mate-backgrounds (the photos,
# GPL-2+) and fonts-dejavu-core (the lettering). Sources and licenses are
# listed in src/resources/CREDITS.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/src/resources/pictures"
PHOTOS=/usr/share/backgrounds/mate/nature
FONTS=/usr/share/fonts/truetype/dejavu
SANS="$FONTS/DejaVuSans.ttf"
BOLD="$FONTS/DejaVuSans-Bold.ttf"
SERIF_BOLD="$FONTS/DejaVuSerif-Bold.ttf"
SERIF_ITALIC="$FONTS/DejaVuSerif-Italic.ttf"
MAX_PHOTO_BYTES=190000

for f in "$PHOTOS/Aqua.jpg" "$SANS" "$BOLD" "$SERIF_BOLD" "$SERIF_ITALIC"; do
  [ -f "$f" ] || { echo "missing $f (install mate-backgrounds and fonts-dejavu-core)" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "convert not found (install imagemagick)" >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"

# Baseline, 8-bit, three-component JFIF without metadata.
JPEG_OPTIONS=(-strip -interlace none -colorspace sRGB -type TrueColor -sampling-factor 2x2)

# Crops the middle of a source photo to exactly WxH.
crop() { # source size output
  convert "$1" -resize "$2^" -gravity center -extent "$2" +repage "$3"
}

# Writes a JPEG at the highest quality (90 down to 50) that keeps it within
# MAX_PHOTO_BYTES.
save_jpeg() { # input output
  local quality
  for quality in 90 85 80 75 70 65 60 55 50; do
    convert "$1" "${JPEG_OPTIONS[@]}" -quality "$quality" "$2"
    [ "$(stat -c %s "$2")" -le "$MAX_PHOTO_BYTES" ] && return 0
  done
  echo "$2 stays above $MAX_PHOTO_BYTES bytes" >&2
  return 1
}

# --- the twelve photos: number, source, size (a mix of landscape, wide
# panorama and portrait shapes)
photos=(
  "110 Aqua         1024x768"
  "111 Dune         1024x284"
  "112 Blinds       1024x768"
  "113 FreshFlower  576x768"
  "114 Garden       1024x768"
  "115 GreenMeadow  1024x768"
  "116 TwoWings     576x768"
  "117 LadyBird     1024x768"
  "118 RainDrops    1024x768"
  "119 Wood         1024x768"
  "120 Storm        1024x449"
  "121 YellowFlower 1024x768"
)
for entry in "${photos[@]}"; do
  read -r number source size <<<"$entry"
  crop "$PHOTOS/$source.jpg" "$size" "$TMP/photo-$number.png"
  save_jpeg "$TMP/photo-$number.png" "$OUT/photo-$number.jpg"
done

# Small framed thumbnail of a photo.
thumb() { # number size output
  convert "$TMP/photo-$1.png" -resize "$2^" -gravity center -extent "$2" +repage \
    -bordercolor white -border 2 -bordercolor '#55555580' -border 1 "$3"
}

# --- info picture 105 (445x241): a map of the pictured places, each with a
# small photo pointing to it; six photos above the map, six below.
places=(60,92 118,70 170,104 226,80 292,98 356,76 70,150 136,132 204,158 262,138 330,160 388,132)
draw=()
for i in $(seq 0 11); do
  IFS=, read -r px py <<<"${places[$i]}"
  if [ "$i" -lt 6 ]; then tx=$((36 + i * 73)); ty=47; else tx=$((36 + (i - 6) * 73)); ty=194; fi
  draw+=(-draw "line $tx,$ty $px,$py")
done
dots=()
for place in "${places[@]}"; do
  IFS=, read -r px py <<<"$place"
  dots+=(-draw "circle $px,$py $((px + 4)),$py")
done
composites=()
for i in $(seq 0 11); do
  thumb $((110 + i)) 52x39 "$TMP/thumb-$i.png"
  if [ "$i" -lt 6 ]; then x=$((8 + i * 73)); y=4; else x=$((8 + (i - 6) * 73)); y=194; fi
  composites+=("$TMP/thumb-$i.png" -geometry "+$x+$y" -composite)
done
convert -size 445x241 gradient:'#a9d3ee-#6ea6d4' \
  -fill '#dccf9c' -stroke '#9c8c5a' -strokewidth 2 \
  -draw "path 'M 22,96 C 40,60 110,52 170,62 C 230,50 300,52 350,60 C 400,62 430,86 424,118
         C 420,150 432,170 404,180 C 350,192 290,178 230,184 C 170,190 100,186 52,176
         C 20,168 10,130 22,96 Z'" \
  -fill '#a8c98b' -stroke none \
  -draw "path 'M 60,100 C 100,78 160,84 210,92 C 260,86 330,80 380,96 C 404,120 392,150 360,158
         C 300,170 240,160 180,168 C 120,172 70,160 58,136 Z'" \
  -fill none -stroke '#4f86c0' -strokewidth 3 \
  -draw "path 'M 424,120 C 380,118 340,128 300,120 C 250,112 230,140 190,136 C 150,132 130,110 90,118'" \
  -stroke '#8a6d3b' -strokewidth 1.5 -draw "stroke-dasharray 5 4 path 'M 40,140 C 120,150 200,110 280,150 C 330,172 380,150 412,160'" \
  -stroke '#ffffffd0' -strokewidth 1.5 "${draw[@]}" \
  -fill '#c8302c' -stroke white -strokewidth 1.5 "${dots[@]}" \
  -stroke none -fill '#5a4a2a' -font "$SERIF_ITALIC" -pointsize 15 -annotate +196+128 'Marrowdale' \
  -fill '#1f4e79' -font "$BOLD" -pointsize 11 -annotate +428+106 'N' \
  -stroke '#1f4e79' -strokewidth 2 -draw "line 432,96 432,76" -draw "line 432,76 428,84" -draw "line 432,76 436,84" \
  -stroke none "${composites[@]}" \
  "${JPEG_OPTIONS[@]}" -quality 90 "$OUT/info-105.jpg"

# --- page background "Links" (486x313): four link entries in the left
# column (each 289x65 from y 8 on, 64 apart), two one-line text links under
# them (y 264 and 286), a tall banner on the right (x 292 to 485).
entries=(
  "F|#2f7d32|Fernwald Downloads|Screen savers, wallpapers and free programs,|tested and described. fernwald.example"
  "Q|#1b1b1b|Quennick Software|All screen savers and tools of Quennick,|free to try. soft.quennick.example"
  "L|#b3541e|Lumen Galerie|Photographs from all over the world,|a new gallery every week. lumen.example"
  "T|#2a5d9f|Tafelberg Freeware|A large archive of free programs for|home and office. tafelberg.example"
)
links=(-fill white -draw "roundrectangle 0,0 485,312 8,8")
for i in "${!entries[@]}"; do
  IFS='|' read -r letter colour title line1 line2 <<<"${entries[$i]}"
  y=$((8 + i * 64))
  links+=(
    -fill '#f3f6fa' -stroke '#c3cedb' -strokewidth 1 -draw "roundrectangle 7,$((y + 3)) 290,$((y + 60)) 6,6"
    -fill "$colour" -stroke none -draw "roundrectangle 13,$((y + 10)) 56,$((y + 53)) 5,5"
    -fill white -font "$SERIF_BOLD" -pointsize 26 -annotate "+$((25 - (${#letter} - 1) * 6))+$((y + 42))" "$letter"
    -fill '#14365d' -font "$BOLD" -pointsize 12 -annotate "+66+$((y + 22))" "$title"
    -fill '#444444' -font "$SANS" -pointsize 9 -annotate "+66+$((y + 38))" "$line1"
    -annotate "+66+$((y + 51))" "$line2"
  )
done
for row in "264|More screen savers at fernwald.example" "286|More free programs at fernwald.example"; do
  IFS='|' read -r y text <<<"$row"
  links+=(
    -fill '#2a5d9f' -stroke none -draw "polygon 14,$((y + 7)) 20,$((y + 11)) 14,$((y + 15))"
    -font "$SANS" -pointsize 11 -annotate "+28+$((y + 15))" "$text"
    -stroke '#2a5d9f' -strokewidth 1 -draw "line 28,$((y + 17)) 262,$((y + 17))" -stroke none
  )
done
crop "$PHOTOS/LadyBird.jpg" 172x150 "$TMP/banner-photo.png"
convert -size 194x306 gradient:'#fbe3c6-#b3541e' -fill none -stroke '#8a3f15' -strokewidth 2 \
  -draw "roundrectangle 1,1 192,304 8,8" -stroke none \
  -fill '#5a240a' -font "$SERIF_BOLD" -pointsize 26 -gravity north -annotate +0+14 'Lumen' \
  -font "$SERIF_ITALIC" -pointsize 17 -annotate +0+46 'Galerie' \
  "$TMP/banner-photo.png" -geometry +0+78 -composite \
  -fill white -font "$BOLD" -pointsize 12 -gravity south -annotate +0+48 'Photos of the month' \
  -font "$SANS" -pointsize 11 -annotate +0+30 'Free wallpapers and tips' \
  -font "$BOLD" -pointsize 12 -annotate +0+10 'lumen.example' \
  "$TMP/banner.png"
convert -size 486x313 xc:'#e6e9ee' "${links[@]}" \
  "$TMP/banner.png" -geometry +292+7 -composite \
  "${JPEG_OPTIONS[@]}" -quality 90 "$OUT/links.jpg"

# --- page background "Tips" (486x313): one wide entry at the top (x 12 to
# 477, y 6 to 143), two entries side by side below it (y 168 to 305).
convert -size 96x96 xc:none -fill '#30343a' -draw "roundrectangle 4,6 91,70 6,6" \
  -fill '#7fb2e5' -draw "rectangle 10,12 85,64" -fill '#30343a' -draw "polygon 38,70 58,70 64,86 32,86" \
  -draw "roundrectangle 22,84 74,90 3,3" "$TMP/monitor.png"
convert "$TMP/photo-117.png" -resize '76x53^' -gravity center -extent 76x53 +repage "$TMP/screen.png"
thumb 111 208x92 "$TMP/set-a.png"
thumb 120 216x92 "$TMP/set-b.png"
convert -size 486x313 xc:'#e6e9ee' \
  -fill white -stroke '#c3cedb' -strokewidth 1 -draw "roundrectangle 13,7 476,142 8,8" \
  -stroke none -fill '#14365d' -font "$BOLD" -pointsize 15 -annotate +124+38 'Tip: Quennick Fotoschau' \
  -fill '#444444' -font "$SANS" -pointsize 11 -annotate +124+60 'Your own photos as a screen saver: pick a folder,' \
  -annotate +124+76 'choose a transition, done.' \
  -annotate +124+92 'Free download at quennick.example' \
  -fill '#2f7d32' -draw "roundrectangle 330,104 462,130 5,5" \
  -fill white -font "$BOLD" -pointsize 12 -annotate +360+122 'Download' \
  "$TMP/monitor.png" -geometry +20+24 -composite \
  "$TMP/screen.png" -geometry +30+36 -composite \
  -fill white -stroke '#c3cedb' -strokewidth 1 -draw "roundrectangle 13,169 228,304 8,8" \
  -draw "roundrectangle 253,169 476,304 8,8" -stroke none \
  "$TMP/set-a.png" -geometry +16+172 -composite \
  "$TMP/set-b.png" -geometry +256+172 -composite \
  -fill '#14365d' -font "$BOLD" -pointsize 12 -annotate +20+283 'Quennick - Saltmarsh' \
  -annotate +260+283 'Quennick - Ashfell' \
  -fill '#444444' -font "$SANS" -pointsize 10 -annotate +20+298 'Twelve photos of the coast' \
  -annotate +260+298 'Twelve photos of hills and sky' \
  "${JPEG_OPTIONS[@]}" -quality 90 "$OUT/tips.jpg"

# --- the maker's logo (100x100): black on white, 4 bits per pixel with a
# 16-colour palette.
convert -size 100x100 xc:white -fill none -stroke black -strokewidth 6 -draw "circle 50,50 50,7" \
  -stroke none -fill black -font "$SERIF_BOLD" -pointsize 58 -gravity center -annotate +0+2 Q \
  -colorspace Gray -colors 16 -type Palette BMP3:"$OUT/logo.bmp"

# --- checks of what the system relies on
fail() { echo "make-pictures: $*" >&2; exit 1; }
check_jpeg() { # file size
  local info
  info="$(identify -format '%wx%h %[interlace] %[channels] %z' "$1")"
  [ "$info" = "$2 None srgb 8" ] || fail "$1: $info, expected $2 baseline sRGB 8-bit"
  [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" = ffd8 ] || fail "$1 does not start with FF D8"
  [ "$(tail -c 2 "$1" | od -An -tx1 | tr -d ' ')" = ffd9 ] || fail "$1 does not end with FF D9"
}
for entry in "${photos[@]}"; do
  read -r number source size <<<"$entry"
  check_jpeg "$OUT/photo-$number.jpg" "$size"
done
check_jpeg "$OUT/info-105.jpg" 445x241
check_jpeg "$OUT/links.jpg" 486x313
check_jpeg "$OUT/tips.jpg" 486x313
file "$OUT/logo.bmp" | grep -q '100 x 100 x 4' || fail "logo.bmp is not a 100x100 4-bit bitmap"
echo "pictures written to $OUT"
