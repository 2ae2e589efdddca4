#!/usr/bin/env bash
# Regenerates app/res/app.ico (committed, so builds need no image tools).
set -euo pipefail
cd "$(dirname "$0")/.."
convert -size 256x256 xc:none -fill '#2F6BFF' -draw 'roundrectangle 8,8 247,247 56,56' \
  -fill white -font DejaVu-Sans-Bold -pointsize 170 -gravity center -annotate +0+6 'Q' \
  -define icon:auto-resize=256,48,32,16 app/res/app.ico
