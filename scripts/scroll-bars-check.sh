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
# Screenshots go to build/screenshots/scroll[-daylight]-*.png.
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

source scripts/virtual-display.sh
start_virtual_display || { kill "$server"; echo "SKIPPED: the virtual display $display did not start"; exit 77; }
cleanup() { kill "$server" 2>/dev/null || true; rm -rf "$site"; stop_virtual_display; }
trap cleanup EXIT

shot() { xwd -root -silent -display "$display" | convert xwd:- "$1"; }
# Pixel questions about screenshots (scripts/screen-pixels.py).
pixels() { python3 scripts/screen-pixels.py "$@"; }

# round SUFFIX SKIN_DIR [ARGUMENT...]: one round with the skin whose pictures lie in SKIN_DIR.
round() {
  suffix=$1 strip_bmp=$2/scrollbar.bmp
  shift 2
  make_site
  start_main_window "$@"
  sleep 2
  shot "$out/scroll$suffix-start.png"
  # The window is what the screenshot holds; its client area is 918 x 644, with borders of one
  # width left, right and below. The places below are window coordinates of the built-in
  # skin's frame (4-pixel borders, 26-pixel title): WX, WY lie that far before the client area.
  read -r WX WY < <(convert "$out/scroll$suffix-start.png" -trim info:- | awk '{
    split($3, s, "x"); split($4, a, "+"); b = int((s[1] - 918) / 2)
    print a[2] + b - 4, a[3] + s[2] - 644 - b - 26 }')
  echo "Main window's client area at $((WX + 4)),$((WY + 26))"
  click() { xdotool mousemove $((WX + $1)) $((WY + $2)) && sleep 0.2 && xdotool click 1 && sleep 0.5; }
  tab() { click "$1" 119; sleep 0.5; }

  # 1. Open, analyse, convert, download.
  click 83 159   # open the style sheet
  sleep 2
  xdotool type --delay 20 "Z:${site//\//\\}\\style.css"
  xdotool key Return
  sleep 2
  tab 106
  click 83 159   # analyse
  sleep 1
  tab 170
  click 520 214  # the relative-path prefix
  xdotool type --delay 20 "http://127.0.0.1:$port/"
  click 209 244  # convert
  sleep 1
  tab 235
  click 84 187   # start downloading
  rows_done() { [ "$(ls "$site" | grep -c '\.png$')" -ge 40 ]; }
  check "the 40 images were downloaded into the sheet's folder" wait_for rows_done 300
  sleep 2
  xdotool mousemove $((WX + 450)) $((WY + 660))
  sleep 0.5
  shot "$out/scroll$suffix-list.png"

  # 2. The list's vertical bar, right inside the list's border (the list spans 32..895 x
  # 213..628 of the window): found by its up arrow, which must be the skin strip's frame 9.
  size=17 list_x=40 list_y=240 list_w=500 list_h=300
  arrow_at() {  # arrow_at SHOT X Y FRAME -> mismatching and compared pixels
    pixels arrow "$1" $((WX + $2)) $((WY + $3)) $size "$strip_bmp" 23 "$4"
  }
  bar_x="" bar_top=215
  for x in 875 876 877 874; do
    read -r bad checked < <(arrow_at "$out/scroll$suffix-list.png" $x $bar_top 9)
    if [ "$checked" -gt 100 ] && [ "$bad" -eq 0 ]; then bar_x=$x; break; fi
  done
  check "the list's up arrow is the skin's frame" [ -n "$bar_x" ]
  [ -n "$bar_x" ] || bar_x=876
  down_y=""
  for y in $((628 - 2 - size)) $((628 - 1 - size)) $((628 - 2 - 2 * size)) $((628 - 1 - 2 * size)); do
    read -r bad checked < <(arrow_at "$out/scroll$suffix-list.png" $bar_x $y 13)
    if [ "$checked" -gt 100 ] && [ "$bad" -eq 0 ]; then down_y=$y; break; fi
  done
  check "the list's down arrow is the skin's frame" [ -n "$down_y" ]
  [ -n "$down_y" ] || down_y=$((628 - 2 - size))
  thumb() { pixels thumb "$1" $((WX + bar_x + 8)) $((WY + bar_top + size + 1)) $((WY + down_y - 1)); }
  read -r t0 t1 < <(thumb "$out/scroll$suffix-list.png")
  echo "Thumb on the screen from row $t0 to $t1"
  check "the list shows a skinned thumb" [ "$t0" -gt 0 -a $((t1 - t0)) -gt 10 ]
  content() { convert "$1" -crop ${list_w}x${list_h}+$((WX + list_x))+$((WY + list_y)) ppm:-; }
  rows_differ() { ! cmp -s <(content "$1") <(content "$2"); }

  # 3. The list ends scrolled to its last row: drag the thumb up by 80 pixels. While the button
  # is held the thumb is under the mouse; the rows move.
  grab=$(((t0 + t1) / 2 - WY))
  xdotool mousemove $((WX + bar_x + 8)) $((WY + grab))
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  for step in $(seq 1 8); do xdotool mousemove $((WX + bar_x + 8)) $((WY + grab - 10 * step)); sleep 0.1; done
  sleep 0.5
  shot "$out/scroll$suffix-drag.png"
  read -r d0 d1 < <(thumb "$out/scroll$suffix-drag.png")
  xdotool mouseup 1
  sleep 0.5
  xdotool mousemove $((WX + 450)) $((WY + 660))
  sleep 0.5
  shot "$out/scroll$suffix-dragged.png"
  echo "While dragging the thumb is at rows $d0..$d1, the mouse at row $((WY + grab - 80))"
  check "the thumb stays under the mouse while dragged" \
    [ "$d0" -le $((WY + grab - 80)) -a "$d1" -ge $((WY + grab - 80)) -a "$d0" -lt "$t0" ]
  check "a drag of the thumb scrolls the list" rows_differ "$out/scroll$suffix-list.png" "$out/scroll$suffix-dragged.png"
  read -r a0 a1 < <(thumb "$out/scroll$suffix-dragged.png")
  check "after the drag the skinned thumb stays where it was dropped" [ "$a0" -lt "$t0" ]

  # 4. A click on the down arrow scrolls one row.
  click $((bar_x + 8)) $((down_y + 8))
  xdotool mousemove $((WX + 450)) $((WY + 660))
  sleep 0.5
  shot "$out/scroll$suffix-line.png"
  shift_line=$(pixels shift "$out/scroll$suffix-dragged.png" "$out/scroll$suffix-line.png" $((WX + list_x)) $((WY + list_y)) $list_w $list_h)
  echo "One click on the down arrow moved the rows up by $shift_line pixels"
  check "a click on the down arrow scrolls one row" [ "$shift_line" -ge 10 -a "$shift_line" -le 30 ]

  # 5. The wheel scrolls back up and the skinned thumb follows.
  xdotool mousemove $((WX + 300)) $((WY + 400))
  sleep 0.3
  xdotool click 4 click 4 click 4
  sleep 0.8
  xdotool mousemove $((WX + 450)) $((WY + 660))
  sleep 0.5
  shot "$out/scroll$suffix-wheel.png"
  read -r w0 w1 < <(thumb "$out/scroll$suffix-wheel.png")
  read -r l0 l1 < <(thumb "$out/scroll$suffix-line.png")
  echo "Thumb before the wheel at $l0..$l1, after it at $w0..$w1"
  check "the wheel scrolls the list" rows_differ "$out/scroll$suffix-line.png" "$out/scroll$suffix-wheel.png"
  check "the skinned thumb follows the wheel" [ "$w0" -lt "$l0" ]
  read -r bad checked < <(arrow_at "$out/scroll$suffix-wheel.png" $bar_x $bar_top 9)
  check "the up arrow is still the skin's after scrolling" [ "$checked" -gt 100 -a "$bad" -eq 0 ]
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
}

echo "Round 1: the built-in skin"
round "" build/skins/default
echo "Round 2: the Daylight skin"
round -daylight build/skins/daylight --skin build/skins/vexlo-daylight.skn

echo "Screenshots: $out/scroll[-daylight]-list.png, -drag.png, -dragged.png, -line.png, -wheel.png"
[ "$failures" -eq 0 ] || exit 1
