#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: wine-run.sh PROGRAM.exe [ARGS...]
# Uses the display in DISPLAY, or a private Xvfb when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh"
# Wine's background processes (services.exe, winedevice.exe) start with the
# first program of a Wine session and outlive it. Start them with their output
# on /dev/null, so that they never hold the pipes of whoever reads this
# program's output (CTest waits for those pipes to close).
warm() { wine cmd /c exit </dev/null >/dev/null 2>&1; }
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f warm); warm; exec wine \"\$@\"" wine-run "$@"
fi
warm
exec wine "$@"
