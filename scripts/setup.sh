#!/usr/bin/env bash
# Installs everything the two builds and the test suite need on a fresh Debian 12 machine.
# Idempotent: a second run only checks that the packages are there. Must run as root.
set -euo pipefail

PACKAGES=(
  # native build and tests
  build-essential cmake ninja-build ccache pkg-config clang-14 libclang-rt-14-dev
  libcurl4-openssl-dev libssl-dev zlib1g-dev nlohmann-json3-dev libfmt-dev
  libconcurrentqueue-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcpp-httplib-dev libgif-dev openssl curl
  # Windows build
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev libz-mingw-w64-dev dpkg-dev autoconf automake libtool
  # running the Windows build
  wine wine32:i386 xvfb xdotool imagemagick fonts-wqy-microhei x11-utils
  # a compositing manager, so screenshots show layered windows blended
  xcompmgr
  # package file servers in the download tests
  nginx-light
  # skin packing at build time, skin image generation (skin/tools/make_images.py)
  python3 python3-pil python3-pefile
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
need_src=0
[ -f /etc/apt/sources.list.d/qira-src.sources ] || need_src=1
if [ ${#missing[@]} -eq 0 ] && [ $need_src -eq 0 ]; then
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
if [ $need_src -eq 1 ]; then
  # Source entries, for building libcurl of the Windows build from Debian's curl package.
  src=$(grep -h '^URIs:' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1 | awk '{print $2}')
  src=${src:-http://deb.debian.org/debian}
  cat > /etc/apt/sources.list.d/qira-src.sources <<SRC
Types: deb-src
URIs: $src
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}" >/dev/null
# nginx is started by the tests with their own configuration only.
systemctl disable nginx >/dev/null 2>&1 || true
service nginx stop >/dev/null 2>&1 || true
