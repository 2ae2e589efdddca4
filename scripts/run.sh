#!/usr/bin/env bash
# Builds the Windows program and runs it under Wine against the local
# development services. With no display, runs it under a private Xvfb, saves a
# screenshot once the window has settled, prints its path and closes it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logs=$root/build/run
mkdir -p "$logs"
die() { echo "run.sh: $*" >&2; exit 1; }

bash scripts/setup.sh || die "set-up failed"
bash scripts/build-curl-win32.sh || die "libcurl for mingw failed to build"
bash scripts/wine-prefix.sh || die "Wine prefix failed"
cmake --preset win32 >"$logs/configure-win32.log" 2>&1 || die "configure failed: $logs/configure-win32.log"
cmake --build --preset win32 -j2 --target QIRASetup >"$logs/build-win32.log" 2>&1 \
  || die "build failed: $logs/build-win32.log"
cmake --preset linux >"$logs/configure-linux.log" 2>&1 || die "configure failed: $logs/configure-linux.log"
cmake --build --preset linux -j2 --target qira-devserver >"$logs/build-linux.log" 2>&1 \
  || die "build failed: $logs/build-linux.log"

# The development services on loopback (the hosts the dev build points at).
build/linux/tools/devserver/qira-devserver --port 18080 --catalog tools/devserver/catalog >"$logs/devserver.log" 2>&1 &
server=$!
xvfb=""
cleanup() {
  kill "$server" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# The installer runs from its own folder, with a log folder beside it.
app=$logs/app
mkdir -p "$app/log"
cp build/win32/app/QIRASetup.exe "$app/QIRASetup.exe"
. scripts/wine-env.sh

if [ -n "${DISPLAY:-}" ]; then
  wine "$app/QIRASetup.exe"
  echo "log: $app/log/QIRASetup.exe.log"
  exit 0
fi

export DISPLAY=:$((80 + RANDOM % 9))
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
wine "$app/QIRASetup.exe" &
installer=$!
title="QIRA 助手安装程序"
window=""
for _ in $(seq 100); do  # up to 20 s for the window to appear
  window=$(xdotool search --name "$title" 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$installer" 2>/dev/null || break
  sleep 0.2
done
[ -n "$window" ] && sleep 3  # let the first page and its animations settle
shot=$logs/screenshot.png
import -window root "$shot" 2>/dev/null || die "screenshot failed"
if [ -z "$window" ]; then
  wait "$installer"; rc=$?
  echo "the installer exited with code $rc before showing a window"
fi
echo "screenshot: $shot"
echo "log: $app/log/QIRASetup.exe.log"
wineserver -k 2>/dev/null
exit 0
