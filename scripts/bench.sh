#!/usr/bin/env bash
# Builds the optimised Linux build and runs every benchmark; each prints its
# figures against a reference measured in the same run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j2 >/dev/null
bin=$root/build/linux-release/bench
work=$(mktemp -d)
trap 'scripts/nginx-serve.sh stop "$work/nginx" >/dev/null 2>&1; rm -rf "$work"' EXIT

# Package files come from nginx, as in the download tests.
mkdir -p "$work/root"
head -c $((1 << 30)) /dev/urandom > "$work/root/big.bin"
scripts/nginx-serve.sh start "$work/root" 18281 18643 "$work/nginx"
"$bin/download_bench" http://127.0.0.1:18281/big.bin "$work"
rm -f "$work/root/big.bin"

"$bin/task_worker_bench"
for extra in "$root"/scripts/bench.d/*.sh; do
  [ -e "$extra" ] && bash "$extra" "$root/build/linux-release"
done
exit 0
