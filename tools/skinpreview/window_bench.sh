#!/usr/bin/env bash
# Figures of the installer window on the real Windows host under Wine: full
# and partial repaints, and the CPU the check page's animations (the fading
# introduction pictures and the check bar) cost while the window is up.
# usage: window_bench.sh qira_skinpreview.exe [SECONDS]
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
preview=$1 seconds=${2:-30}
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh"
wine cmd /c exit </dev/null >/dev/null 2>&1
wnd='Xml\inst\wnd.xml'

wine "$preview" "$wnd" --bench 50 </dev/null 2>/dev/null | tr -d '\r' | grep -Ev '^(window|control|ready)'

# The CPU of the Windows process as it sees it (GetProcessTimes) and as Linux
# sees the Wine process (/proc), over the same run.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
wine "$preview" "$wnd" start:seq_introduce_check --cpu $((seconds * 1000)) </dev/null >"$out" 2>/dev/null &
pid=$!
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0; }
for _ in $(seq 200); do grep -q '^ready' "$out" && break; sleep 0.1; done
t0=$(ticks) s0=$(date +%s%N)
sleep $((seconds - 1))
t1=$(ticks) s1=$(date +%s%N)
wait "$pid"
hz=$(getconf CLK_TCK)
tr -d '\r' <"$out" | grep '^cpu' | sed 's/^/check page animations: /'
awk -v t=$((t1 - t0)) -v hz="$hz" -v ns=$((s1 - s0)) \
  'BEGIN { ms = t * 1000 / hz; wall = ns / 1e6; printf "  the Wine process from /proc: %.0f ms CPU over %.0f ms: %.1f%% of one core\n", ms, wall, 100 * ms / wall }'
