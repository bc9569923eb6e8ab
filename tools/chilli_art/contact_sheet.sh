#!/usr/bin/env bash
# Makes one PNG of all 102 pictures on black, each labelled with its display name, for review.
# Usage: tools/chilli_art/contact_sheet.sh [build folder] [output.png]   (needs ImageMagick)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
output="${2:-docs/contact-sheet.png}"
gfx="build stuff/gfx"

args=()
while IFS=$'\t' read -r file name; do
  args+=(-label "$name" "$gfx/$file")
done < <("$build/tools/chilli_art/chilli_art" --list)

mkdir -p "$(dirname "$output")"
montage -background black -fill '#dddddd' -font DejaVu-Sans -pointsize 11 \
  "${args[@]}" -tile 10x -geometry '130x180>+8+6' -gravity center "$output"
echo "wrote $output"
