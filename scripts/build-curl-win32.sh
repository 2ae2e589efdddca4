#!/usr/bin/env bash
# Builds a static 32-bit libcurl with Schannel and zlib from Debian's curl source
# package, once; later runs find the cached result under build/deps and return.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/build/deps
prefix=$deps/curl-win32
[ -f "$prefix/lib/libcurl.a" ] && [ -f "$prefix/.complete" ] && exit 0

src=$deps/curl-src
rm -rf "$src" "$prefix"
mkdir -p "$src"
cd "$src"
apt-get source -qq --download-only curl >/dev/null 2>&1 || apt-get source --download-only curl
dsc=$(ls curl_*.dsc | head -n1)
dpkg-source -x --skip-patches "$dsc" tree >/dev/null
cd tree
host=i686-w64-mingw32
./configure -q --host=$host --prefix="$prefix" \
  CC=$host-gcc-posix AR=$host-ar RANLIB=$host-ranlib \
  CPPFLAGS="-I/usr/$host/include" LDFLAGS="-L/usr/$host/lib" \
  --with-schannel --with-zlib --disable-shared --enable-static \
  --without-libpsl --without-brotli --without-zstd --without-libidn2 --without-nghttp2 \
  --without-librtmp --without-libssh2 --disable-ldap --disable-ldaps --disable-rtsp \
  --disable-dict --disable-telnet --disable-tftp --disable-pop3 --disable-imap \
  --disable-smtp --disable-gopher --disable-mqtt --disable-smb --disable-manual \
  --disable-docs --enable-ipv6 >/dev/null
make -s -j"$(nproc)" -C lib >/dev/null
make -s -C lib install >/dev/null
make -s -C include install >/dev/null
touch "$prefix/.complete"
rm -rf "$src"
