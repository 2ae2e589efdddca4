#!/usr/bin/env bash
# Painting the skin: the whole tree on the recording renderer (Linux release
# build, argument 1); under Wine, one full repaint of the installer window on
# the real host and the CPU the check page's animations cost over 30 s (the
# Windows build in build/win32, or QIRA_WIN32_BUILD_DIR, when it has been
# built).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$1/bench/skin_paint_bench"

win32=${QIRA_WIN32_BUILD_DIR:-$root/build/win32}
if [ ! -f "$win32/build.ninja" ]; then
  echo "skin_window: no Windows build in $win32, skipped"
  exit 0
fi
cmake --build "$win32" -j2 --target qira_skinpreview >/dev/null
exec "$root/tools/skinpreview/window_bench.sh" "$win32/tools/skinpreview/qira_skinpreview.exe" "${QIRA_CPU_SECONDS:-30}"
