#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: wine-run.sh PROGRAM.exe [ARGS...]
# Uses the display in DISPLAY, or a private Xvfb when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
