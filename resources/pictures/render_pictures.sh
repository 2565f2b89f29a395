#!/usr/bin/env bash
# Renders the program icon (drawings/program_icon.svg) into the fixed-size PNG files that the
# package installs beside the scalable icon, for desktops that want them. Run it after changing
# that drawing; it needs rsvg-convert (Debian package librsvg2-bin). The program itself draws
# every picture from the drawings at the screen's density (src/ui/drawings.h).
set -euo pipefail
cd "$(dirname "$0")"

for size in 16 32 48 64 128; do
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio drawings/program_icon.svg \
    --output "program_icon_$size.png"
done
