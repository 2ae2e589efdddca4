#!/usr/bin/env bash
# Creates the Wine prefix once: Windows 10 mode, and "Microsoft YaHei" mapped to
# the CJK font from Debian's fonts-wqy-microhei package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
[ -f "$WINEPREFIX/.qira-ready" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1
wineserver -w
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentVersion /d 10.0 /f >/dev/null 2>&1 || true
winecfg -v win10 >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.qira-ready"
