#!/usr/bin/env bash
# The Windows program under Wine: start-up with and without a log folder.
# usage: startup_test.sh QIRASetup.exe
set -uo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0 fail=0
# One display for the program and for xdotool.
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:$((60 + RANDOM % 9))
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
  sleep 1
fi
title="QIRA 助手安装程序"

# run_and_close EXE [ARGS...]: starts the installer, waits for its window, then
# closes it as a user would: Alt+F4, and Escape on the exit question.
# Prints the exit code.
run_and_close() {
  "$root/scripts/wine-run.sh" "$@" >/dev/null 2>&1 &
  local pid=$! window=""
  for _ in $(seq 150); do
    window=$(xdotool search --name "$title" 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if [ -n "$window" ]; then
    sleep 1
    xdotool windowfocus "$window" 2>/dev/null; xdotool key alt+F4; sleep 1.5; xdotool key Escape
  fi
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  kill "$pid" 2>/dev/null && { echo timeout; return; }
  wait "$pid"; echo $?
}

check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then pass=$((pass + 1)); echo "ok   $name"; else fail=$((fail + 1)); echo "FAIL $name"; fi
}

cp "$exe" "$work/setup.exe"
mkdir "$work/log"
rc1=$(run_and_close "$work/setup.exe" -k extra args)
rc2=$(run_and_close "$work/setup.exe")
log="$work/log/setup.exe.log"
check "exit code 0 on both runs" test "$rc1:$rc2" = "0:0"
check "log file written" test -f "$log"

# Byte-order mark once, then four CR LF lines: init, uninit, init, uninit.
check "byte-order mark only at the start" test "$(head -c3 "$log" | od -An -tx1 | tr -d ' ')" = "efbbbf"
body=$(tail -c +4 "$log")
check "no second byte-order mark" bash -c '! grep -q $'"'"'\xef\xbb\xbf'"'"' <<<"$0"' "$body"
stamp='[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}'
init="^$stamp NONE  \[[0-9]+\] \[plogext::CLifeSpanLog::CLifeSpanLog@[0-9]+\] Log init"$'\r'"\$"
uninit="^$stamp NONE  \[[0-9]+\] \[plogext::CLifeSpanLog::~CLifeSpanLog@[0-9]+\] Log uninit"$'\r'"\$"
mapfile -t lines <<<"$body"
line="^$stamp (NONE |FATAL|ERROR|WARN |INFO ) \[[0-9]+\] \[[A-Za-z_:~]+@[0-9]+\] .*"$'\r'"\$"
bad=0
for l in "${lines[@]}"; do grep -Eq "$line" <<<"$l" || bad=$((bad + 1)); done
check "every line in the record layout with CR LF" test "$bad" -eq 0
mapfile -t marks < <(printf '%s\n' "${lines[@]}" | grep -E 'Log (un)?init')
check "first line is Log init" grep -Eq "$init" <<<"${lines[0]:-}"
check "runs append: init, uninit, init, uninit" test "${#marks[@]}" -eq 4
check "mark 1 Log init" grep -Eq "$init" <<<"${marks[0]:-}"
check "mark 2 Log uninit ends the first run" grep -Eq "$uninit" <<<"${marks[1]:-}"
check "mark 3 Log init" grep -Eq "$init" <<<"${marks[2]:-}"
check "last line is Log uninit" grep -Eq "$uninit" <<<"${lines[-1]:-}"

# Without a log folder the program runs the same and writes nothing.
rm -rf "$work/log"
rc3=$(run_and_close "$work/setup.exe")
check "exit code 0 without log folder" test "$rc3" = 0
check "no log folder created" test ! -e "$work/log"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
