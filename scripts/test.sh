#!/usr/bin/env bash
# Runs every test: installs what is missing (Debian), builds the linux,
# linux-asan, win32, win64 and fuzz presets, runs the unit and end-to-end
# tests for linux, linux-asan and win64 (the latter under wine64 on an Xvfb
# display), runs each fuzz target for a short bounded time, and exits
# non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

packages=(cmake ninja-build g++ clang python3 file pcf2bdf xfonts-base googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils xdotool imagemagick
  libosmesa6-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0 libstb-dev libtinyobjloader-dev
  libclang-rt-14-dev fonts-dejavu-core)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -q || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" || return 1
}

failures=()
step() {  # step NAME COMMAND...: runs a step, records a failure
  local name=$1; shift
  echo "== $name"
  if ! "$@"; then failures+=("$name"); echo "== FAILED: $name"; fi
}

install_missing || { echo "package installation failed"; exit 1; }

werror=OFF
[ -n "${CI:-}" ] && werror=ON
for preset in linux linux-asan win32 win64 fuzz; do
  step "configure $preset" cmake --preset "$preset" -DWOXA_WERROR=$werror >"build-$preset.log" 2>&1 \
    || { cat "build-$preset.log"; }
  rm -f "build-$preset.log"
  step "build $preset" cmake --build --preset "$preset"
done

# An X display for the Windows programs under Wine.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 110); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  done
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
export WOXA_WINEPREFIX="$root/build/win64/wineprefix"

cleanup() {
  WINEPREFIX="$WOXA_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# Make the Wine prefix once, before any test: a fresh one takes a while, and
# the first tests would otherwise spend their time limit on it.
boot_wine() {
  mkdir -p "$WOXA_WINEPREFIX"
  WINEPREFIX="$WOXA_WINEPREFIX" wineserver -p </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$WOXA_WINEPREFIX" WINEDEBUG=-all timeout 600 wine64 wineboot -i </dev/null >/dev/null 2>&1 \
    || WINEPREFIX="$WOXA_WINEPREFIX" WINEDEBUG=-all timeout 600 /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
}
step "boot the Wine prefix" boot_wine

if [ -f tools/font/make_font_glyphs.py ] && command -v pcf2bdf >/dev/null; then
  step "font table matches its generator" python3 tools/font/make_font_glyphs.py --check
fi
step "demo_mesh model matches its generator" python3 tools/make_demo_mesh.py --check

passed=0
failed=0
run_ctest() {  # run_ctest PRESET [ctest args]: its counts added to the totals
  local preset=$1; shift
  local log="build/ctest-$preset.log" status
  ctest --preset "$preset" "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  return "$status"
}
step "test linux" run_ctest linux -j2
step "test linux-asan" run_ctest linux-asan -j2
# Under Wine every window lands on one X display: a window that a unit test
# shows takes the keyboard focus, so the programs played with X input run
# one at a time, after the unit tests.
step "test win64 (unit)" run_ctest win64 -j2 -LE e2e
step "test win64 (end to end)" run_ctest win64 -j1 -L e2e

# The fuzz smoke runs: each target for a bounded time over its seeds.
if [ -d build/fuzz/fuzz ]; then
  for target in build/fuzz/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
    fuzz_one() {
      "$target" -max_total_time=30 -rss_limit_mb=2048 -timeout=10 "$corpus" "${seeds[@]}" \
        >"build/fuzz/$name.log" 2>&1 || { tail -40 "build/fuzz/$name.log"; return 1; }
      grep -E '^Done|#[0-9]+.*DONE' "build/fuzz/$name.log" | tail -1
    }
    step "fuzz $name" fuzz_one
  done
fi

# The 32-bit build is compiled and linked only; check what it made.
for exe in build/win32/demos/*.exe; do
  [ -e "$exe" ] || continue
  file "$exe" | grep -q 'PE32 executable (console) Intel 80386' || { echo "$exe: $(file -b "$exe")"; failures+=("win32 $exe"); }
done

echo
echo "Tests: $passed passed, $failed failed"
if [ ${#failures[@]} -eq 0 ]; then
  echo "All steps passed."
  exit 0
fi
echo "Failed steps:"
printf '  %s\n' "${failures[@]}"
exit 1
