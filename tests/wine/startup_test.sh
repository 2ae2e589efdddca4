#!/usr/bin/env bash
# The Windows program under Wine: start-up with and without a log folder.
# usage: startup_test.sh QIRASetup.exe
set -uo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0 fail=0
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then pass=$((pass + 1)); echo "ok   $name"; else fail=$((fail + 1)); echo "FAIL $name"; fi
}

cp "$exe" "$work/setup.exe"
mkdir "$work/log"
"$root/scripts/wine-run.sh" "$work/setup.exe" -k extra args; rc1=$?
"$root/scripts/wine-run.sh" "$work/setup.exe"; rc2=$?
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
check "four lines" test "${#lines[@]}" -eq 4
check "line 1 Log init" grep -Eq "$init" <<<"${lines[0]:-}"
check "line 2 Log uninit" grep -Eq "$uninit" <<<"${lines[1]:-}"
check "line 3 Log init (second run appends)" grep -Eq "$init" <<<"${lines[2]:-}"
check "line 4 Log uninit" grep -Eq "$uninit" <<<"${lines[3]:-}"

# Without a log folder the program runs the same and writes nothing.
rm -rf "$work/log"
"$root/scripts/wine-run.sh" "$work/setup.exe"; rc3=$?
check "exit code 0 without log folder" test "$rc3" = 0
check "no log folder created" test ! -e "$work/log"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
