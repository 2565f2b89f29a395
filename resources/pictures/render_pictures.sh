#!/usr/bin/env bash
# Renders the drawings (drawings/*.svg) into the PNG files the program embeds. Run it after
# changing a drawing; it needs rsvg-convert (Debian package librsvg2-bin). The build itself only
# uses the PNG files, so no SVG library is needed at run time.
#
# Tool and button glyphs also get their disabled image (<name>_disabled.png): the same drawing in
# pale grey. The reminder window's pictures and answer glyphs get none: that window's buttons
# compute their own disabled image. Every PNG comes out at the size the drawing's root element
# states, so a drawing's width and height are the picture's size in pixels.
set -euo pipefail
cd "$(dirname "$0")"

render() {  # render SVG PNG WIDTH [HEIGHT, default WIDTH]
  rsvg-convert --width "$3" --height "${4:-$3}" --keep-aspect-ratio "$1" --output "$2"
}

size_of() {  # size_of SVG ATTRIBUTE: the width or height stated on the drawing's <svg> element
  sed -n "s/.*<svg[^>]* $2=\"\([0-9]*\)\".*/\1/p" "$1" | head -1
}

# The drawing with its colours turned into a pale grey, lighter than any outline.
greyed() {
  sed -e 's#<svg\([^>]*\)>#<svg\1><filter id="disabled"><feColorMatrix type="saturate" values="0"/><feComponentTransfer><feFuncR type="linear" slope="0.5" intercept="0.36"/><feFuncG type="linear" slope="0.5" intercept="0.36"/><feFuncB type="linear" slope="0.5" intercept="0.36"/><feFuncA type="linear" slope="0.85"/></feComponentTransfer></filter><g filter="url(\#disabled)">#' \
      -e 's#</svg>#</g></svg>#' "$1"
}

for drawing in drawings/tool_*.svg drawings/button_*.svg; do
  name=$(basename "$drawing" .svg)
  size=$(size_of "$drawing" width)
  render "$drawing" "$name.png" "$size"
  greyed "$drawing" > "/tmp/$name.disabled.svg"
  render "/tmp/$name.disabled.svg" "${name}_disabled.png" "$size"
  rm -f "/tmp/$name.disabled.svg"
done

for size in 16 32 48 64 128; do
  render drawings/program_icon.svg "program_icon_$size.png" "$size"
done
render drawings/link_cursor.svg link_cursor.png 32
render drawings/mail_icon.svg mail_icon.png 32

for drawing in drawings/reminder_picture_*.svg drawings/answer_*.svg; do
  render "$drawing" "$(basename "$drawing" .svg).png" "$(size_of "$drawing" width)" "$(size_of "$drawing" height)"
done
