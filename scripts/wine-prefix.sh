#!/usr/bin/env bash
# Creates the Wine prefix once: Windows 10 mode, and "Microsoft YaHei" mapped to
# the CJK font from Debian's fonts-wqy-microhei package. Later settings are
# applied to an existing prefix in place, each once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/.qira-ready" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  winecfg -v win10 >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.qira-ready"
fi
if [ ! -f "$WINEPREFIX/.qira-unmanaged" ]; then
  # Xvfb has no window manager: unmanaged windows spare Wine its 2 s wait for
  # one whenever a visible window is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  touch "$WINEPREFIX/.qira-unmanaged"
fi
