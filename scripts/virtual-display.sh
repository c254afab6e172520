# Sourced by the scripts that show Vexlo on a virtual X display (screenshots.sh,
# caption-buttons-check.sh). Sets up Wine for the program (the X11 prefix in
# build/wine-run-prefix, code page 936), starts Xvfb on VEXLO_DISPLAY (for example :95; else a
# number picked at random) and exports DISPLAY. On exit it ends the program whose process id
# the caller keeps in `app`, the Wine server and the display.
# start_virtual_display answers 1 when the display did not come up.
# set_dpi DPI makes the programs started after it run at DPI (Wine reads the display's DPI from
# the prefix's registry when a process starts) and keeps it in `dpi`. The prefix is shared by
# every script: stopping the display sets 96 again.

export WINEPREFIX="$PWD/build/wine-run-prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export LC_ALL=zh_CN.UTF-8
./scripts/wine-prefix.sh "$WINEPREFIX" x11

app=""
dpi=96 dpi_set=""
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  dpi=$1 dpi_set=1
}
start_virtual_display() {
  display=${VEXLO_DISPLAY:-:$((90 + RANDOM % 100))}
  Xvfb "$display" -screen 0 "${VEXLO_SCREEN:-1600x1200}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap stop_virtual_display EXIT
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1
}

stop_virtual_display() {
  [ -z "$dpi_set" ] || set_dpi 96
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
