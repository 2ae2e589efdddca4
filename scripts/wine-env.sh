# Sourced by the scripts that run the Windows build: one Wine prefix under the
# build folder, quiet, without the Gecko and Mono installers.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=$root/build/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
