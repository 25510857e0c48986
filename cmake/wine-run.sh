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
mkdir -p "$WINEPREFIX"
# Start the Wine server (kept running) and the prefix's services with their
# output on /dev/null before the program runs: processes that Wine starts
# on the side would otherwise hold the program's output pipe open, and
# whoever reads it (ctest) would wait for them. One caller at a time.
(
  flock 9
  # Nothing started here may keep the lock: close it for them.
  wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
  "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.lock"
exec "$wine" "$exe" "$@"
