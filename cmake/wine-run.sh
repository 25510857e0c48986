#!/bin/sh
# Runs a Windows program of the win64 build under wine64, with a Wine prefix
# kept inside the build tree. ctest uses this as the cross-compiling emulator.
# WOXA_WINEPREFIX overrides the prefix; DISPLAY must name an X server for
# programs that open windows (scripts/test.sh starts Xvfb).
set -e
exe="$1"; shift
if [ -z "${WOXA_WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$exe")" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = "/" ] && dir=$(cd "$(dirname "$exe")" && pwd)
  WOXA_WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX="$WOXA_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=wine64
command -v wine64 >/dev/null 2>&1 || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || command -v "$wine" >/dev/null 2>&1 || wine=wine
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # One process at a time creates the prefix.
  ( flock 9; [ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i >/dev/null 2>&1 || true ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$exe" "$@"
