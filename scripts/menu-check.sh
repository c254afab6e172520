#!/usr/bin/env bash
# Drives skinned menus with a real mouse and keyboard (xdotool) on a virtual X display, the
# way a user does, and checks what happens:
#   1. the menu demo (build/tests/skin/menus/menu_demo.exe, the gallery's menus): a click on
#      "File" opens its drop-down, a skinned menu window; the right arrow moves to "View" and
#      the mouse over "Help" to Help; Escape closes; Alt+F opens "File" by its accelerator and
#      Enter runs "Open" exactly once; a right click opens the context menu;
#   2. the main window (build/src/app/vexlo.exe): Alt+Space opens its system menu skinned; its
#      minimize item minimizes the window and its close item ends the program.
# All of it runs twice in the one check: with the built-in skin, then with the Daylight skin
# (build/skins/vexlo-daylight.skn, given to the demo and to vexlo.exe --skin), whose taller
# title moves the menu bar; each round takes the title's height from its own skin.
# Screenshots go to build/screenshots/menu[-daylight]-*.png. Xvfb shows menu windows black
# (Wine's own menus as well), so the demo prints each menu window it opens as the skin paints
# it (build/screenshots/menu[-daylight]-window-*.png).
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# VEXLO_DISPLAY chooses the display number (else one is picked at random); with
# VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check is skipped when it is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert identify wine
demo=build/tests/skin/menus/menu_demo.exe
[ -x "$demo" ] || { echo "$demo is missing" >&2; exit 1; }
out=build/screenshots
mkdir -p "$out"

source scripts/virtual-display.sh
start_virtual_display || { echo "SKIPPED: the virtual display $display did not start"; exit 77; }

geometry() {  # geometry TITLE: the visible window's place and size
  window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] || { X=0 Y=0 WIDTH=0 HEIGHT=0; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)"
}
shot() { xwd -root -silent | convert xwd:- -crop "$2" +repage "$out/$1"; }
start() {  # start EXE [ARGS]: runs the program, waits for its window
  wine "$@" </dev/null >/dev/null 2>&1 &
  app=$!
}

# The title's height in the skin in SKIN_DIR: its title strip's height over its frame count.
title_of() {
  local frames
  frames=$(awk '{ sub(/\r$/, "") } /^TopFrame=/ { print substr($0, 10); exit }' "$1/skin.ini")
  echo $(($(identify -format %h "$1/top.bmp") / ${frames:-1}))
}

# demo_round SUFFIX SKIN_DIR [SKIN_FILE]: the menu demo with the skin whose pictures lie in
# SKIN_DIR (packed as SKIN_FILE; none: the built-in skin).
demo_round() {
  suffix=$1 title=$(title_of "$2")
  shift 2
  log=build/screenshots/menu$suffix-demo.log
  rm -f "$log"
  rm -f "$out"/menu$suffix-window-*.bmp
  start "$demo" "$(winepath -w "$log")" "$(winepath -w "$out/menu$suffix-window")" "$@"
  wait_for 'geometry "Vexlo menu demo"' 600 || { check "the menu demo appears" false; return; }
  sleep 2
  geometry "Vexlo menu demo"
  echo "Menu demo at $X,$Y, $WIDTH x $HEIGHT"
  lines() { grep -c -x "$1" "$log" 2>/dev/null || true; }
  seen() { [ "$(lines "$1")" -ge "${2:-1}" ]; }
  check "the demo took the skin it was given" [ "$(lines "no skin")" -eq 0 ]
  # The bar lies under the title; its first item starts 12 pixels in.
  bar_y=$((Y + title + 9))
  shot "menu$suffix-bar.png" "$((WIDTH))x60+$X+$Y"

  # 1. A click on File opens its drop-down, skinned.
  xdotool mousemove $((X + 22)) "$bar_y" click 1
  check "a click on File opens its drop-down" wait_for 'seen "open miFile"' 50
  check "the drop-down window answers that it is skinned" wait_for 'seen "skinned 1"' 50
  sleep 0.5
  shot "menu$suffix-dropdown.png" "$((WIDTH + 160))x$((HEIGHT + 60))+$X+$Y"
  # The right arrow moves to View, Escape closes.
  xdotool key Right
  check "the right arrow opens the next drop-down" wait_for 'seen "open miView"' 50
  sleep 1
  # Moving the mouse over another bar item switches to its drop-down.
  xdotool mousemove $((X + 80)) "$bar_y"
  sleep 0.2
  xdotool mousemove $((X + 90)) "$bar_y"
  check "the mouse moved over Help opens its drop-down" wait_for 'seen "open miHelp"' 50
  sleep 0.5
  xdotool key Escape
  check "Escape closes the drop-down" wait_for 'seen close 2' 50
  sleep 0.3
  # Alt+F opens File by its accelerator; Enter runs Open once.
  xdotool key alt+f
  check "Alt+F opens the File drop-down" wait_for 'seen "open miFile" 2' 50
  sleep 0.4
  xdotool key Return
  check "Enter on the first item runs Open" wait_for 'seen "click miOpen"' 50
  sleep 1
  check "Open ran exactly once" [ "$(lines "click miOpen")" -eq 1 ]
  # A right click in the client area opens the context menu.
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  check "a right click opens the context menu" wait_for 'seen "popup PopupMenu1"' 50
  sleep 0.5
  shot "menu$suffix-context.png" "$((WIDTH + 160))x$((HEIGHT + 100))+$X+$Y"
  xdotool key Escape
  sleep 0.3
  # The system menu's mnemonics of this Wine (its language) from the demo's log.
  mnemonic() {  # the accelerator letter of the system menu item with command $1
    grep "^sysmenu $1 " "$log" | head -n 1 | sed -e 's/^sysmenu [0-9]* //' -e 's/&&//g' \
      | sed -n 's/.*&\(.\).*/\1/p' | tr '[:upper:]' '[:lower:]'
  }
  minimize_key=$(mnemonic 61472)
  close_key=$(mnemonic 61536)
  echo "System menu keys: minimize '$minimize_key', close '$close_key'"
  # The demo's own system menu, skinned as the main window's is.
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 12)) click 1
  sleep 0.3
  xdotool key alt+space
  sleep 1.5
  xdotool key Escape
  sleep 0.5
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
  # The menu windows as the demo printed them (the virtual display shows menu windows black).
  n=0
  for picture in "$out"/menu$suffix-window-*.bmp; do
    [ -f "$picture" ] || continue
    n=$((n + 1))
    convert "$picture" -filter point -resize 200% "${picture%.bmp}.png"
  done
  check "the demo printed the menu windows it opened" [ "$n" -ge 5 ]
}

# system_round SUFFIX [ARGUMENT...]: the main window started with the arguments.
system_round() {
  suffix=$1
  shift
  # 2. The main window's system menu.
  start build/src/app/vexlo.exe "$@"
  wait_for 'geometry "Vexlo 1.0"' 600 || { check "the main window appears" false; return; }
  sleep 2
  geometry "Vexlo 1.0"
  full_h=$HEIGHT
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 12)) click 1
  sleep 0.3
  xdotool key alt+space
  sleep 1
  shot "menu$suffix-system.png" "420x300+$X+$Y"
  xdotool key "${minimize_key:-n}"
  minimized() { geometry "Vexlo 1.0" && [ "$HEIGHT" -lt 100 ]; }
  check "the system menu's minimize item minimizes the main window" wait_for minimized 50
  geometry "Vexlo 1.0" || true
  xdotool mousemove $((X + 50)) $((Y + HEIGHT / 2))
  sleep 0.3
  xdotool click --repeat 2 --delay 80 1
  restored() { geometry "Vexlo 1.0" && [ "$HEIGHT" -eq "$full_h" ]; }
  wait_for restored 50 || true
  sleep 1
  geometry "Vexlo 1.0" || true
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 12)) click 1
  sleep 0.3
  xdotool key alt+space
  sleep 1
  xdotool key "${close_key:-c}"
  gone() { ! kill -0 "$app" 2>/dev/null; }
  check "the system menu's close item ends the program" wait_for gone 100
  gone && app=""
}

echo "Round 1: the built-in skin"
demo_round "" build/skins/default
system_round ""
echo "Round 2: the Daylight skin"
daylight=build/skins/vexlo-daylight.skn
demo_round -daylight build/skins/daylight "$(winepath -w "$daylight")"
system_round -daylight --skin "$daylight"

echo "Screenshots: $out/menu[-daylight]-bar.png, -dropdown.png, -context.png, -system.png"
[ "$failures" -eq 0 ]
