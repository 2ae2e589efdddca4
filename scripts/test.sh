#!/usr/bin/env bash
# The whole test suite, from a fresh Debian 12 machine: installs what it needs,
# builds both builds, and runs
#   - the linux tests, the same tests under AddressSanitizer + UBSan,
#   - the concurrency tests under ThreadSanitizer,
#   - the Windows tests under Wine (unit tests and end-to-end runs),
#   - the fuzz targets for a bounded time, and the benchmarks (figures only).
# Exits non-zero when anything fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logs=$root/build/test-logs
mkdir -p "$logs"
start=$(date +%s)
step() { printf '\n== %s (%ds)\n' "$*" $(( $(date +%s) - start )); }
die() { echo "test.sh: $*" >&2; exit 1; }

step "set-up"
bash scripts/setup.sh || die "set-up failed"
bash scripts/build-curl-win32.sh || die "libcurl for mingw failed to build"
bash scripts/wine-prefix.sh || die "Wine prefix failed"

total_pass=0 total_fail=0 failed_suites=()
# run_ctest NAME ARGS...: runs ctest, adds its counts to the totals.
run_ctest() {
  local name=$1; shift
  local out=$logs/$name.log
  ctest "$@" 2>&1 | tee "$out" | grep -E '^[0-9]+% tests passed|\*\*\*|Failed|Timeout' || true
  local line passed failed all
  line=$(grep -E '^[0-9]+% tests passed' "$out" | tail -n1)
  if [ -z "$line" ]; then
    failed_suites+=("$name (no result)"); total_fail=$((total_fail + 1)); return
  fi
  failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  all=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((all - failed))
  total_pass=$((total_pass + passed)); total_fail=$((total_fail + failed))
  [ "$failed" -eq 0 ] && return
  failed_suites+=("$name")
  # The log stays on the machine; CI keeps only what is printed, so show
  # what each failing test said.
  grep -E -A10 ': Failure$|^(FAIL|ERROR)[: ]|Traceback' "$out" | head -n 120 || true
}
build() {  # build PRESET [TARGETS...]
  local preset=$1; shift
  cmake --preset "$preset" >"$logs/configure-$preset.log" 2>&1 || die "configure $preset failed (see $logs)"
  cmake --build --preset "$preset" -j2 ${1:+--target "$@"} >"$logs/build-$preset.log" 2>&1 \
    || { tail -n 40 "$logs/build-$preset.log"; die "build $preset failed"; }
}

step "linux: build and test"
build linux
run_ctest linux --preset linux -j2

step "linux-asan: build and test"
build linux-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_ctest linux-asan --preset linux-asan -j2

step "linux-tsan: build and test the concurrency tests"
build linux-tsan
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/scripts/tsan.supp" run_ctest linux-tsan --preset linux-tsan -j2

step "win32: build and test under Wine"
build win32
# One X server and one Wine server for every Windows test.
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; . scripts/wine-env.sh; wineserver -k 2>/dev/null' EXIT
export DISPLAY=$display
# Wine's own background processes (services.exe, winedevice.exe) start with
# the first Windows program and live on; started here, with their output on
# /dev/null, they do not hold the pipes through which CTest reads each test.
(. scripts/wine-env.sh; wineserver -p; wine cmd /c exit </dev/null >/dev/null 2>&1)
run_ctest win32 --preset win32

if [ -x scripts/run-fuzzers.sh ]; then
  step "fuzz targets (bounded time)"
  if bash scripts/run-fuzzers.sh >"$logs/fuzz.log" 2>&1; then
    total_pass=$((total_pass + 1)); grep -E '^fuzz' "$logs/fuzz.log" || true
  else
    total_fail=$((total_fail + 1)); failed_suites+=("fuzzers"); tail -n 30 "$logs/fuzz.log"
  fi
fi

step "benchmarks (figures only)"
bash scripts/bench.sh 2>&1 | tee "$logs/bench.log" || echo "benchmarks did not complete"

step "done"
[ ${#failed_suites[@]} -eq 0 ] || echo "failed: ${failed_suites[*]}"
echo "tests: $total_pass passed, $total_fail failed"
[ "$total_fail" -eq 0 ]
