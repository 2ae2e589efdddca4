#!/usr/bin/env bash
# A real layered window under Xvfb: shows the demo window, saves a screenshot
# of the screen, checks pixels whose colours the skin images and the drawing
# fix, and prints the repaint figures of the same window.
# usage: layered_screenshot_test.sh LAYERED_DEMO.exe SKIN_IMG_DIR OUT_DIR
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
demo=$1 img=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

wine cmd /c exit </dev/null >/dev/null 2>&1  # Wine's services up before the desktop is captured
import -window root "$work/before.png"
winimg=$(winepath -w "$img" 2>/dev/null)
wine "$demo" "$winimg" --hold 6000 >"$work/demo.out" 2>"$work/demo.err" </dev/null &
pid=$!
shown=0
for _ in $(seq 150); do
  if grep -q '^window ' "$work/demo.out" && xdotool search --name 'QIRA layered demo' >/dev/null 2>&1; then
    shown=1
    break
  fi
  sleep 0.1
done
sleep 1
import -window root "$out/layered_window.png"
wait "$pid"
rc=$?
if [ "$shown" -ne 1 ]; then
  echo "FAIL the demo window did not appear"; cat "$work/demo.err"; echo "0 passed, 1 failed"; exit 1
fi
geometry=$(grep '^window ' "$work/demo.out" | head -n1 | cut -d' ' -f2-)
echo "screenshot: $out/layered_window.png (window at $geometry)"
/usr/bin/python3 "$here/check_layered_screenshot.py" "$work/before.png" "$out/layered_window.png" "$img" $geometry \
  "$out/layered_window_crop.png" "$rc"
status=$?

# Figures only: full repaints of the same window.
wine "$demo" "$winimg" --bench 50 </dev/null 2>/dev/null | grep -v '^window '
exit $status
