#!/usr/bin/env bash
# Runs one of the programs as a user would: scripts/demo.sh [program]
# (default demo_widgets), from demos/data. Windowed programs run as the
# win64 build under wine64 (the linux build opens no window on screen): with
# a display the window opens; without one the program runs on a private
# Xvfb for a few seconds and build/screenshots/<program>.png is saved.
# Console programs run in the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
program=${1:-demo_widgets}
case "$program" in
  demo_texdump|demo_bitflags|demo_strings) console=1 ;;
  demo_window|demo_widgets|demo_terminal|demo_eventlog|demo_mesh|demo_pointer) console=0 ;;
  *) echo "unknown program: $program" >&2; exit 2 ;;
esac

need=(cmake ninja-build g++)
[ $console -eq 0 ] && need+=(g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils xdotool imagemagick libosmesa6-dev libglu1-mesa-dev)
[ $console -eq 1 ] && need+=(libosmesa6-dev libglu1-mesa-dev)
missing=()
for p in "${need[@]}"; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ $console -eq 1 ]; then
  [ -f build/linux/build.ninja ] || cmake --preset linux >/dev/null
  cmake --build --preset linux --target "$program" >/dev/null
  cd demos/data && exec "$root/build/linux/demos/$program"
fi

[ -f build/win64/build.ninja ] || cmake --preset win64 >/dev/null
cmake --build --preset win64 --target "$program" >/dev/null
export WOXA_WINEPREFIX="$root/build/win64/wineprefix"
exe="$root/build/win64/demos/$program.exe"
cd demos/data
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/cmake/wine-run.sh" "$exe"
fi

# No display: a private Xvfb, a few seconds of the program, a screenshot.
for n in $(seq 120 140); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
trap 'kill $xvfb 2>/dev/null; WINEPREFIX=$WOXA_WINEPREFIX wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$root/cmake/wine-run.sh" "$exe" &
pid=$!
shot="$root/build/screenshots/$program.png"
mkdir -p "$(dirname "$shot")"
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '.' 2>/dev/null | tail -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
sleep 4
if [ -n "$window" ]; then
  xdotool mousemove --window "$window" 420 330 2>/dev/null || true
  sleep 1
  if [ "$program" = demo_terminal ]; then  # the shot shows the console open, one line entered
    xdotool key --delay 100 Tab h e l l o Return 2>/dev/null || true
    sleep 1
  elif [ "$program" = demo_eventlog ]; then  # the shot shows a key and a click logged
    xdotool key a click 1 2>/dev/null || true
    sleep 1
  elif [ "$program" = demo_pointer ]; then  # the shot shows the picture cursor
    xdotool mousemove --window "$window" 400 345 click 1 2>/dev/null || true
    sleep 0.5
    xdotool mousemove --window "$window" 620 150 2>/dev/null || true
    sleep 1
  fi
  import -window "$window" "$shot"
  echo "screenshot: $shot"
else
  import -window root "$shot"
  echo "no window appeared; screenshot of the screen: $shot"
fi
kill "$pid" 2>/dev/null || true
