#!/bin/sh
# Regenerates the application icons and the publisher banner in this directory.
# The SVG icon is the master; the PNGs and banners are made from it and from
# text set in Noto Sans CJK.  Needs rsvg-convert (librsvg2-bin), ImageMagick
# and fonts-noto-cjk.  Run from anywhere: sh data/make-art.sh
set -eu
cd "$(dirname "$0")"

icons=icons/hicolor
master=$icons/scalable/apps/tovarin-calculator.svg

# At 16 px the yuan sign would be a smudge of 3 pixels, so the display shows a
# solid readout bar instead.
small_variant() {
  sed -e 's/<g id="yen"/<g id="yen" visibility="hidden"/' \
      -e 's/<g id="digits" fill="#16382a" visibility="hidden"/<g id="digits" fill="#16382a"/' \
      "$master"
}

for size in 16 32 48 256; do
  out=$icons/${size}x${size}/apps/tovarin-calculator.png
  mkdir -p "$(dirname "$out")"
  if [ "$size" -eq 16 ]; then
    small_variant | rsvg-convert -w "$size" -h "$size" -o "$out.tmp"
  else
    rsvg-convert -w "$size" -h "$size" -o "$out.tmp" "$master"
  fi
  # Strip timestamps so regenerating leaves git clean.
  convert "$out.tmp" -strip -define png:exclude-chunks=date,time "$out"
  rm -f "$out.tmp"
done

# banner.jpg is 255 x 60; banner@2x.jpg is the same design at scale 2.
# The window cuts off the bottom 6 px of the banner, so nothing sits there.
banner() {
  s=$1 out=$2
  w=$((255 * s)) h=$((60 * s))
  icon=$(mktemp --suffix=.png)
  rsvg-convert -w $((40 * s)) -h $((40 * s)) -o "$icon" "$master"
  convert -size ${h}x${w} gradient:'#f7f9fc'-'#d6e3f0' -rotate 90 \
    -fill '#e0452b' -draw "rectangle 0,$((52 * s)) $((w - 1)),$((53 * s))" \
    "$icon" -geometry +$((8 * s))+$((6 * s)) -composite \
    -font Noto-Sans-CJK-SC-Bold -fill '#163a60' -pointsize $((17 * s)) \
    -annotate +$((56 * s))+$((24 * s)) 'TovarinVersion 1.0' \
    -font Noto-Sans-CJK-SC -fill '#3d5f80' -pointsize $((13 * s)) \
    -annotate +$((56 * s))+$((44 * s)) '个人所得税计算器' \
    -strip -sampling-factor 1x1 -quality 92 "$out"
  rm -f "$icon"
}
banner 1 banner.jpg
banner 2 banner@2x.jpg
