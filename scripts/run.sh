#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vexlo under Wine. Without a display it starts a
# virtual one, waits for the main window, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh

export WINEPREFIX="$PWD/build/wine-run-prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export LC_ALL=zh_CN.UTF-8
./scripts/wine-prefix.sh "$WINEPREFIX" x11
exe=build/src/app/vexlo.exe

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

shot=${VEXLO_SCREENSHOT:-build/screenshots/main.png}
mkdir -p "$(dirname "$shot")"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wine "$exe" </dev/null >/dev/null 2>&1 &
app=$!
echo "Vexlo is running on the virtual display $display; waiting for its main window..."
window_up() { [[ "$(xwininfo -root -tree 2>/dev/null)" == *'"Vexlo 1.0'* ]]; }
for _ in $(seq 120); do
  window_up && break
  sleep 0.5
done
if ! window_up; then
  echo "The main window did not appear within 60 seconds." >&2
  exit 1
fi
sleep 2  # let it finish painting
xwd -root -silent -display "$display" | convert xwd:- "$shot"
echo "Screenshot of the main window saved to $shot"
