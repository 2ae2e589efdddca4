#!/usr/bin/env bash
# File hashing and machine identity benchmarks: DigestFile against md5sum (Linux
# release build, argument 1), and Collect's wall time under Wine (the Windows
# build in build/win32, or QIRA_WIN32_BUILD_DIR, when it has been built).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1/bench/digest_file_bench" "$work"

win32=${QIRA_WIN32_BUILD_DIR:-$root/build/win32}
if [ -f "$win32/build.ninja" ]; then
  cmake --build "$win32" -j2 --target collect_bench >/dev/null
  "$root/scripts/wine-run.sh" "$win32/bench/collect_bench.exe" 2>/dev/null | tr -d '\r'
else
  echo "collect: no Windows build in $win32, skipped"
fi
