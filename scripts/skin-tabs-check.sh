#!/usr/bin/env bash
# Drives the main window's skinned step tabs with a real mouse and keyboard (xdotool) on a
# virtual X display, and the whole workflow through them:
#   1. a click on each step tab shows that tab as the skin's pressed button (compared pixel
#      for pixel with the skin's Buttons strip) and turns to its page; the five pages differ;
#   2. Ctrl+Tab turns the pages one by one as the clicks did (the same pictures), wrapping
#      after the last, and Ctrl+Shift+Tab turns back;
#   3. the style sheet of a loopback site is opened (its name typed into the open dialog),
#      analysed, its addresses converted with a typed prefix, its images downloaded from the
#      loopback server (two in quotes, one sent slowly in pieces, one cut off halfway, one
#      missing, one embedded in the sheet and skipped), and the sheet rewritten with a backup;
#      then a second sheet the same way in the same run: the images, the backups and the
#      rewritten sheets are compared byte for byte with what they must be.
# The mouse over a step tab also shows the skin's hot frame.
# All of it runs twice in the one check: with the built-in skin, then with the Daylight skin
# (vexlo.exe --skin build/skins/vexlo-daylight.skn), whose taller title and wider borders move
# every control; each round compares with its own skin's pictures and starts from a fresh site.
# Screenshots go to build/screenshots/tabs-*.png and tabs-daylight-*.png.
# Exits 0 when every check passed, 1 when one failed, 77 when no virtual display can be made.
# Expects the program to be built (scripts/build.sh). VEXLO_DISPLAY chooses the display number
# (else one is picked at random); with VEXLO_DISPLAY_REQUIRED set (as CTest runs it) the check
# is skipped when VEXLO_DISPLAY is not given.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/real-input-check.sh
require_real_input Xvfb xdotool xdpyinfo xwd convert wine python3 cmp
for skin in build/skins/default build/skins/daylight; do
  [ -f "$skin/buttons.bmp" ] || { echo "the skin's pictures are missing in $skin" >&2; exit 1; }
done
[ -f build/skins/vexlo-daylight.skn ] || { echo "build/skins/vexlo-daylight.skn is missing" >&2; exit 1; }
out=build/screenshots
mkdir -p "$out"
work=$(mktemp -d)

# The loopback site: a sheet (CR LF line breaks) naming images in two folders, one of them
# twice, one in upper case letters that the site does not have, one sent slowly in pieces and
# one cut off halfway; a second sheet in a folder of its own for a second run.
site=$(mktemp -d "$PWD/build/tabs-site.XXXXXX")
make_site() {  # the site as it is before a round: each round rewrites its sheets
rm -rf "${site:?}"/*
mkdir -p "$site/img" "$site/pics" "$site/slow" "$site/cut" "$site/two/art"
for i in 1 2 3 4; do printf 'image %d\n' "$i" >"$site/img/t$i.png"; done
printf 'GIF89a-photo' >"$site/pics/photo.gif"
head -c 3000 /dev/urandom >"$site/pics/noise.jpg"
head -c 20000 /dev/urandom >"$site/slow/big.png"
head -c 8000 /dev/urandom >"$site/cut/half.png"
printf '%s\r\n' '.a{background:url(img/t1.png)}' '.b{background:url(img/t2.png)}' \
  '.c{background:url(img/t3.png) no-repeat} .d{background:url(img/t4.png)}' \
  '.e{background:url("pics/photo.gif")}' ".f{background:url( 'pics/noise.jpg' )}" \
  '.g{background:url(img/t1.png)}' '.h{background:url(IMG/MISSING.PNG)}' \
  '.i{background:url(slow/big.png)}' '.j{background:url(cut/half.png)}' \
  '.k{background:url(data:image/gif;base64,R0lGODlhAQABAAAAACw=)}' >"$site/style.css"
cp "$site/style.css" "$work/original.css"
head -c 1500 /dev/urandom >"$site/two/art/wave.png"
printf 'second' >"$site/two/art/dot.gif"
printf '%s\r\n' 'body{background:url(art/wave.png)}' 'p{background:url(art/dot.gif)}' >"$site/two/other.css"
cp "$site/two/other.css" "$work/other.css"
}
# Files under slow/ come in four pieces half a second apart; under cut/ the connection closes
# after half of the announced length.
cat >"$work/server.py" <<'PY'
import functools, http.server, os, sys, time
class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        part = self.path.split('/')[1] if self.path.count('/') > 1 else ''
        if part not in ('slow', 'cut'):
            return super().do_GET()
        path = self.translate_path(self.path)
        if not os.path.isfile(path):
            return self.send_error(404)
        body = open(path, 'rb').read()
        self.send_response(200)
        self.send_header('Content-Type', 'application/octet-stream')
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        if part == 'cut':
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        step = len(body) // 4 + 1
        for i in range(0, len(body), step):
            self.wfile.write(body[i:i + step])
            self.wfile.flush()
            time.sleep(0.5)
    def log_message(self, *args):
        pass
handler = functools.partial(Handler, directory=sys.argv[2])
http.server.ThreadingHTTPServer(('127.0.0.1', int(sys.argv[1])), handler).serve_forever()
PY
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 "$work/server.py" "$port" "$site" >/dev/null 2>&1 &
server=$!

source scripts/virtual-display.sh
start_virtual_display || { kill "$server"; echo "SKIPPED: the virtual display $display did not start"; exit 77; }
cleanup() { kill "$server" 2>/dev/null || true; rm -rf "$site" "$work"; stop_virtual_display; }
trap cleanup EXIT

# round SUFFIX SKIN_DIR MARGIN DX DY [ARGUMENT...]: one round with the skin whose pictures
# lie in SKIN_DIR (its push buttons' margin MARGIN, its client area DX, DY further in than
# the built-in skin's), the program started with the arguments.
round() {
  round=$1 skin=$2 margin=$3 DX=$4 DY=$5
  shift 5
  shot() { shot_as "tabs$round" "$1"; }  # build/screenshots/tabs[-daylight]-NAME.png and $work/NAME.ppm

  make_site
  start_main_window "$@"
  shot start
  # The window's top-left corner on the screen: where the screenshot's content starts. The
  # client area starts DX, DY further in than with the built-in skin's 4-pixel border and
  # 26-pixel title: the window coordinates below are the built-in skin's, moved by that.
  read -r WX WY < <(convert "$out/tabs$round-start.png" -trim info:- | awk '{split($4, a, "+"); print a[2], a[3]}')
  echo "Main window at $WX,$WY"
  # click X Y: a click that changes what the window shows, waited for until it is drawn.
  click() { xdotool mousemove $((WX + DX + $1)) $((WY + DY + $2)) && sleep 0.2 && after xdotool click 1; }

  # The step tabs: skinned buttons in the row below the title (window rows 100..140), found
  # by their corners in the skin's Buttons strip (5 frames, corners as large as its margins).
  step_buttons() {  # lines "FRAME LEFT TOP WIDTH HEIGHT", window coordinates, left to right
    python3 scripts/screen-pixels.py corners "$work/$1.ppm" "$skin/buttons.bmp" 5 "$margin" |
      awk -v x="$((WX + DX))" -v y="$((WY + DY))" '$3 - y >= 100 && $3 - y <= 140 && $5 < 40 { print $1, $2 - x, $3 - y, $4, $5 }' |
      sort -n -k2
  }
  step_buttons start >"$work/tabs.txt"
  cat "$work/tabs.txt"
  check "the five step tabs are drawn from the skin's Buttons strip" [ "$(wc -l <"$work/tabs.txt")" -eq 5 ]
  check "the first step tab shows the pressed frame when the window opens" \
    [ "$(awk 'NR == 1 { print $1 }' "$work/tabs.txt")" = 2 ]
  centre_x() { awk -v n="$1" 'NR == n { print $2 + int($4 / 2) }' "$work/tabs.txt"; }
  centre_y() { awk -v n="$1" 'NR == n { print $3 + int($5 / 2) }' "$work/tabs.txt"; }
  # The page below the tabs (window coordinates 16..900 x 140..640).
  page() { convert "$out/tabs$round-$1.png" -crop 884x500+$((WX + DX + 16))+$((WY + DY + 140)) +repage ppm:-; }
  same_page() { cmp -s <(page "$1") <(page "$2"); }
  pressed_tab() {  # the number (1..5) of the step tab shown pressed in shot $1
    step_buttons "$1" | awk '{ n++ } $1 == 2 { print n }' | head -n 1
  }

  # 1. Clicks on the tabs, the last first so that every click turns the page.
  if [ "$(wc -l <"$work/tabs.txt")" -eq 5 ]; then
    xdotool mousemove $((WX + DX + $(centre_x 3))) $((WY + DY + $(centre_y 3)))
    sleep 0.8
    shot hot
    check "the mouse over a step tab shows it hot" \
      [ "$(step_buttons hot | awk 'NR == 3 { print $1 }')" = 4 ]
    xdotool mousemove $((WX + DX + 450)) $((WY + DY + 60))
    sleep 0.8
    shot unhot
    check "the mouse gone, the step tab is normal again" \
      [ "$(step_buttons unhot | awk 'NR == 3 { print $1 }')" = 1 ]
    for n in 5 4 3 2 1; do
      click "$(centre_x "$n")" "$(centre_y "$n")"
      shot "click-$n"
      check "a click on step tab $n shows it pressed" [ "$(pressed_tab "click-$n")" = "$n" ]
    done
    distinct=1
    for a in 1 2 3 4 5; do
      for b in 1 2 3 4 5; do
        [ "$a" -lt "$b" ] && same_page "click-$a" "click-$b" && distinct=0
      done
    done
    check "each step tab shows a page of its own" [ "$distinct" = 1 ]

    # 2. Ctrl+Tab from the first page turns the pages as the clicks did.
    for n in 2 3 4 5 1; do
      after xdotool key --clearmodifiers ctrl+Tab
      shot "key-$n"
      check "Ctrl+Tab turns to page $n" same_page "key-$n" "click-$n"
      check "Ctrl+Tab shows step tab $n pressed" [ "$(pressed_tab "key-$n")" = "$n" ]
    done
    after xdotool key --clearmodifiers ctrl+shift+Tab
    shot key-back
    check "Ctrl+Shift+Tab turns back to the last page" same_page key-back click-5
  fi

  # 3. The workflow through the skinned window, twice in one run.
  tab() { click "$(centre_x "$1")" "$(centre_y "$1")"; }
  run_workflow() {  # run_workflow SHEET PREFIX DONE: every step by mouse and keyboard
    tab 1
    click 83 159   # open the style sheet: the open dialog comes
    xdotool type --delay 20 "Z:${1//\//\\}"
    after xdotool key Return
    tab 2
    click 83 159   # analyse
    after xdotool key --clearmodifiers ctrl+Tab   # to the third step by keyboard
    click 520 214  # the relative-path prefix, replaced as a whole
    xdotool key --clearmodifiers End shift+Home
    xdotool type --delay 20 "$2"
    click 209 244  # convert
    tab 4
    click 84 187   # start downloading
    wait_for "$3" 300
  }
  downloaded() { [ -f "$site/style.css.bak" ] && ! cmp -s "$site/style.css" "$work/original.css"; }
  check "the sheet is rewritten after the download" run_workflow "$site/style.css" "http://127.0.0.1:$port/" downloaded
  settle
  shot downloaded
  for f in img/t1.png img/t2.png img/t3.png img/t4.png pics/photo.gif pics/noise.jpg slow/big.png; do
    check "$(basename "$f") was downloaded unchanged into the sheet's folder" cmp -s "$site/$f" "$site/$(basename "$f")"
  done
  check "the address the site does not have downloaded nothing" [ ! -e "$site/MISSING.PNG" ]
  check "the image cut off halfway left no file" [ ! -e "$site/half.png" ]
  check "the backup is the sheet as it was" cmp -s "$site/style.css.bak" "$work/original.css"
  printf '%s\r\n' '.a{background:url(t1.png)}' '.b{background:url(t2.png)}' \
    '.c{background:url(t3.png) no-repeat} .d{background:url(t4.png)}' \
    '.e{background:url("photo.gif")}' ".f{background:url( 'noise.jpg' )}" \
    '.g{background:url(t1.png)}' '.h{background:url(IMG/MISSING.PNG)}' \
    '.i{background:url(big.png)}' '.j{background:url(cut/half.png)}' \
    '.k{background:url(data:image/gif;base64,R0lGODlhAQABAAAAACw=)}' >"$work/expected.css"
  check "the sheet names the downloaded images in its own folder" cmp "$site/style.css" "$work/expected.css"

  second_done() { [ -f "$site/two/other.css.bak" ] && ! cmp -s "$site/two/other.css" "$work/other.css"; }
  check "a second sheet in the same run is rewritten too" \
    run_workflow "$site/two/other.css" "http://127.0.0.1:$port/two/" second_done
  settle
  shot second
  check "the second run downloaded its images" cmp -s "$site/two/art/wave.png" "$site/two/wave.png"
  check "the second run downloaded all of them" cmp -s "$site/two/art/dot.gif" "$site/two/dot.gif"
  check "the second backup is the second sheet as it was" cmp -s "$site/two/other.css.bak" "$work/other.css"
  printf '%s\r\n' 'body{background:url(wave.png)}' 'p{background:url(dot.gif)}' >"$work/expected-other.css"
  check "the second sheet names its images in its own folder" cmp "$site/two/other.css" "$work/expected-other.css"
  check "the first sheet stays as the first run left it" cmp -s "$site/style.css" "$work/expected.css"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

echo "Round 1: the built-in skin"
round "" build/skins/default 4 0 0
echo "Round 2: the Daylight skin"
round -daylight build/skins/daylight 6 2 4 --skin build/skins/vexlo-daylight.skn

echo "Screenshots: $out/tabs-*.png and $out/tabs-daylight-*.png"
[ "$failures" -eq 0 ]
