#!/usr/bin/env bash
# Builds the libFuzzer targets (preset linux-fuzz: clang, AddressSanitizer) and
# runs each one for a bounded time. Exits non-zero when a target finds a crash
# or does not build.
# usage: run-fuzzers.sh [SECONDS]   (default 30 per target)
#   QIRA_FUZZ_BUILD_DIR  build folder (default build/linux-fuzz)
# Each target's corpus grows in <build folder>/fuzz-corpus/<target>; seeds come
# from */fuzz/seeds/<target>/ in the source tree; a crash input is kept in
# <build folder>/fuzz-artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
dir=${QIRA_FUZZ_BUILD_DIR:-$root/build/linux-fuzz}

cmake --preset linux-fuzz -B "$dir" >/dev/null
mkdir -p "$dir/fuzz-artifacts"
# Only the fuzz targets: the rest of the tree is not needed here.
mapfile -t targets < <(cmake --build "$dir" --target help | sed -nE 's/^([A-Za-z0-9_]+_fuzzer):.*/\1/p' | sort -u)
if [ ${#targets[@]} -eq 0 ]; then
  echo "run-fuzzers.sh: no fuzz targets found" >&2
  exit 1
fi
if ! cmake --build "$dir" -j2 --target "${targets[@]}" >"$dir/fuzz-build.log" 2>&1; then
  tail -n 40 "$dir/fuzz-build.log"
  echo "fuzz build: FAILED"
  exit 1
fi

status=0
for name in "${targets[@]}"; do
  exe=$(find "$dir" -type f -name "$name" -perm -u+x | head -n1)
  corpus=$dir/fuzz-corpus/$name
  mkdir -p "$corpus"
  seeds=()
  while IFS= read -r s; do seeds+=("$s"); done < <(
    find "$root" -path "$root/build" -prune -o -type d -path "*/fuzz/seeds/$name" -print)
  log=$dir/fuzz-artifacts/$name.log
  if ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 "$exe" -max_total_time="$seconds" \
       -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$dir/fuzz-artifacts/$name-" \
       "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    runs=$(grep -oE '#[0-9]+' "$log" | tail -n1 | tr -d '#')
    echo "fuzz $name: ok, ${runs:-?} runs in ${seconds}s, corpus $(ls "$corpus" | wc -l) inputs"
  else
    status=1
    echo "fuzz $name: FAILED (see $log)"
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 10 || true
  fi
done
exit $status
