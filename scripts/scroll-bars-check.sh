#!/usr/bin/env bash
# Drives the main window's download list with a real mouse (xdotool) on a virtual X display
# and checks its skinned scroll bar:
#   1. the style sheet of a loopback site with 40 images is opened, analysed, converted and
#      downloaded, so that the download list holds more rows than fit;
#   2. the list's vertical bar and its header are drawn from the skin (the arrows' pixels are
#      the skin strip's frames);
#   3. a drag of the thumb scrolls the list and the thumb stays under the mouse while dragged;
#   4. a click on the down arrow scrolls the list by one row;
#   5. the mouse wheel scrolls the list and the skinned thumb follows.
# All of it runs twice in the one check: with the built-in skin, then with the Daylight skin
# (vexlo.exe --skin build/skins/vexlo-daylight.skn), whose wider borders and taller title move
# every control; each round compares with its own skin's strip and starts from a fresh site.
# Both skins are then driven again at 144 and 192 DPI (the prefix's LogPixels, set back to 96
# on the way out), every place scaled the way the program scales it. The arrows are compared
# with the skin's strip pixel for pixel at 96 and 192 DPI (there enlarged 2x by pixel
# repetition); at 144 DPI the engine filters the strip, which its own tests compare, so there
# the arrows are only located and what the bar does is checked.
# Screenshots go to build/screenshots/scroll[-daylight][-DPIdpi]-*.png (no DPI in the name at
# 96). The display is 1920x1440 unless VEXLO_SCREEN says otherwise: the window is larger at
# 192 DPI.
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert wine python3
for strip_bmp in build/skins/default/scrollbar.bmp build/skins/daylight/scrollbar.bmp; do
  [ -f "$strip_bmp" ] || { echo "$strip_bmp is missing" >&2; exit 1; }
done
out=build/screenshots
mkdir -p "$out"

# The loopback site: a style sheet with 40 background images, served over HTTP.
site=$(mktemp -d "$PWD/build/scroll-site.XXXXXX")
make_site() {  # the site as it is before a round: each round downloads into it
  rm -rf "${site:?}"/*
  mkdir -p "$site/img"
  for i in $(seq 1 40); do
    echo ".a$i{background:url(img/a$i.png)}" >>"$site/style.css"
    printf 'image %d\n' "$i" >"$site/img/a$i.png"
  done
}
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!

export VEXLO_SCREEN=${VEXLO_SCREEN:-1920x1440}
source scripts/virtual-display.sh
start_virtual_display || { kill "$server"; echo "SKIPPED: the virtual display $display did not start"; exit 77; }
cleanup() { kill "$server" 2>/dev/null || true; rm -rf "$site"; stop_virtual_display; }
trap cleanup EXIT

shot() { xwd -root -silent -display "$display" | convert xwd:- "$1"; }
# Pixel questions about screenshots (scripts/screen-pixels.py).
pixels() { python3 scripts/screen-pixels.py "$@"; }

# round SUFFIX SKIN_DIR [ARGUMENT...]: one round at the DPI `dpi` with the skin whose pictures
# lie in SKIN_DIR.
round() {
  suffix=$1 strip_bmp=$2/scrollbar.bmp
  shift 2
  make_site
  start_main_window "$@"
  shot "$out/scroll$suffix-start.png"
  # The window is what the screenshot holds; its client area is 918 x 644 at 96 DPI, scaled like
  # everything in it at other DPIs, with borders of one width left, right and below. CX, CY is
  # the client area's top left corner on the screen.
  read -r CX CY < <(convert "$out/scroll$suffix-start.png" -trim info:- |
    awk -v cw="$(of 918)" -v ch="$(of 644)" '{
      split($3, s, "x"); split($4, a, "+"); b = int((s[1] - cw) / 2)
      print a[2] + b, a[3] + s[2] - ch - b }')
  echo "Main window's client area at $CX,$CY"
  # The places below are window coordinates of the built-in skin's frame at 96 DPI (4-pixel
  # borders, 26-pixel title); sx and sy turn them into screen coordinates at this DPI.
  sx() { echo $((CX + $(of $(($1 - 4))))); }
  sy() { echo $((CY + $(of $(($1 - 26))))); }
  # click X Y: a click that changes what the window shows, waited for until it is drawn.
  click() { xdotool mousemove "$(sx "$1")" "$(sy "$2")" && sleep 0.2 && after xdotool click 1; }
  # The step tabs: clicked at 96 DPI; at other DPIs the tab control lays its tabs out from the
  # width of their text, not from scaled places, so there the next one is taken with Ctrl+Tab
  # (each step below is the tab after the one shown).
  tab() {
    if [ "$dpi" -eq 96 ]; then click "$1" 119; else after xdotool key --clearmodifiers ctrl+Tab; fi
  }
  park() { xdotool mousemove "$(sx 450)" "$(sy 660)"; }

  # 1. Open, analyse, convert, download.
  click 83 159   # open the style sheet: the open dialog comes
  xdotool type --delay 20 "Z:${site//\//\\}\\style.css"
  after xdotool key Return
  tab 106
  click 83 159   # analyse
  tab 170
  click 520 214  # the relative-path prefix
  xdotool type --delay 20 "http://127.0.0.1:$port/"
  click 209 244  # convert
  tab 235
  click 84 187   # start downloading
  rows_done() { [ "$(ls "$site" | grep -c '\.png$')" -ge 40 ]; }
  check "the 40 images were downloaded into the sheet's folder" wait_for rows_done 300
  park
  settle
  shot "$out/scroll$suffix-list.png"

  # 2. The list's vertical bar, right inside the list's border (the list spans 32..895 x
  # 213..628 of the window at 96 DPI; at other DPIs the page starts under a row of tabs sized
  # from their text, a few pixels off the scaled place): found by its up arrow, the place
  # nearest in colour to the skin strip's frame 9 scaled to the arrow's size, which at 96 and
  # 192 DPI (whole factors, pixels repeated) must be that frame exactly; the down arrow is found
  # the same way. At 144 DPI the engine filters the strip, so there the arrows are only
  # located, and what the bar does is checked.
  size=$(of 17) list_x=$(sx 40) list_y=$(sy 240) list_w=$(of 500) list_h=$(of 300)
  exact=""
  [ "$dpi" -eq 96 ] || [ "$dpi" -eq 192 ] && exact=1
  right=$(sx 895) bottom=$(sy 628)
  read -r bar_x bar_top bad checked < <(pixels nearest "$out/scroll$suffix-list.png" \
    $((right - size - $(of 6))) $(($(sy 213) - $(of 12))) $((right - size)) $(($(sy 213) + $(of 4))) \
    "$size" "$strip_bmp" 23 9)
  echo "Up arrow at $bar_x,$bar_top: $bad of $checked pixels differ from the skin's frame"
  [ -z "$exact" ] ||
    check "the list's up arrow is the skin's frame" [ "$checked" -gt 100 -a "$bad" -eq 0 ]
  read -r _ down_y bad checked < <(pixels nearest "$out/scroll$suffix-list.png" \
    "$bar_x" $((bottom - 2 * size - $(of 12))) "$bar_x" $((bottom - size)) \
    "$size" "$strip_bmp" 23 13)
  echo "Down arrow at $bar_x,$down_y: $bad of $checked pixels differ from the skin's frame"
  [ -z "$exact" ] ||
    check "the list's down arrow is the skin's frame" [ "$checked" -gt 100 -a "$bad" -eq 0 ]
  mid=$((bar_x + size / 2))
  # The list starts scrolled to its last row: its first screenshot shows the track's colour
  # under the up arrow and the track's edge (a line of the skin's, 2 pixels at 192 DPI), where
  # the thumb may come later.
  thumb() {
    pixels thumb "$1" "$mid" $((bar_top + size + $(of 2))) $((down_y - 1)) "$out/scroll$suffix-list.png"
  }
  read -r t0 t1 < <(thumb "$out/scroll$suffix-list.png")
  echo "Thumb on the screen from row $t0 to $t1"
  check "the list shows a skinned thumb" [ "$t0" -gt 0 -a $((t1 - t0)) -gt "$(of 10)" ]
  content() { convert "$1" -crop "${list_w}x${list_h}+$list_x+$list_y" ppm:-; }
  rows_differ() { ! cmp -s <(content "$1") <(content "$2"); }
  up_arrow() { convert "$1" -crop "${size}x${size}+$bar_x+$bar_top" ppm:-; }

  # 3. The list ends scrolled to its last row: drag the thumb up by 80 pixels (at 96 DPI). While
  # the button is held the thumb is under the mouse; the rows move.
  grab=$(((t0 + t1) / 2)) step_y=$(of 10)
  xdotool mousemove "$mid" "$grab"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  for step in $(seq 1 8); do xdotool mousemove "$mid" $((grab - step_y * step)); sleep 0.1; done
  settle
  shot "$out/scroll$suffix-drag.png"
  read -r d0 d1 < <(thumb "$out/scroll$suffix-drag.png")
  xdotool mouseup 1
  park
  settle
  shot "$out/scroll$suffix-dragged.png"
  held=$((grab - 8 * step_y))
  echo "While dragging the thumb is at rows $d0..$d1, the mouse at row $held"
  check "the thumb stays under the mouse while dragged" \
    [ "$d0" -le "$held" -a "$d1" -ge "$held" -a "$d0" -lt "$t0" ]
  check "a drag of the thumb scrolls the list" rows_differ "$out/scroll$suffix-list.png" "$out/scroll$suffix-dragged.png"
  read -r a0 a1 < <(thumb "$out/scroll$suffix-dragged.png")
  check "after the drag the skinned thumb stays where it was dropped" [ "$a0" -lt "$t0" ]

  # 4. A click on the down arrow scrolls one row.
  xdotool mousemove "$mid" $((down_y + size / 2)) && sleep 0.2 && after xdotool click 1
  park
  settle
  shot "$out/scroll$suffix-line.png"
  shift_line=$(pixels shift "$out/scroll$suffix-dragged.png" "$out/scroll$suffix-line.png" "$list_x" "$list_y" "$list_w" "$list_h")
  echo "One click on the down arrow moved the rows up by $shift_line pixels"
  check "a click on the down arrow scrolls one row" [ "$shift_line" -ge "$(of 10)" -a "$shift_line" -le "$(of 30)" ]

  # 5. The wheel scrolls back up and the skinned thumb follows.
  xdotool mousemove "$(sx 300)" "$(sy 400)"
  sleep 0.3
  after xdotool click 4 click 4 click 4
  park
  settle
  shot "$out/scroll$suffix-wheel.png"
  read -r w0 w1 < <(thumb "$out/scroll$suffix-wheel.png")
  read -r l0 l1 < <(thumb "$out/scroll$suffix-line.png")
  echo "Thumb before the wheel at $l0..$l1, after it at $w0..$w1"
  check "the wheel scrolls the list" rows_differ "$out/scroll$suffix-line.png" "$out/scroll$suffix-wheel.png"
  check "the skinned thumb follows the wheel" [ "$w0" -lt "$l0" ]
  if [ -n "$exact" ]; then
    read -r bad checked < <(pixels arrow "$out/scroll$suffix-wheel.png" "$bar_x" "$bar_top" "$size" "$strip_bmp" 23 9)
    check "the up arrow is still the skin's after scrolling" [ "$checked" -gt 100 -a "$bad" -eq 0 ]
  else
    check "the up arrow is drawn as before after scrolling" \
      cmp -s <(up_arrow "$out/scroll$suffix-list.png") <(up_arrow "$out/scroll$suffix-wheel.png")
  fi
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
}

rounds_at 96 144 192

echo "Screenshots: $out/scroll[-daylight][-DPIdpi]-list.png, -drag.png, -dragged.png, -line.png, -wheel.png"
[ "$failures" -eq 0 ] || exit 1
