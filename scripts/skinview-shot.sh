# shellcheck shell=bash disable=SC2154  # display: set by virtual-display.sh
# Sourced by screenshots.sh and skinview.sh once virtual-display.sh has started the display.
# gallery_screenshot FILE [SKIN-FILE] starts the skin gallery, waits for its window, saves a
# screenshot of the screen to FILE (the first page of the gallery), turns to the other pages
# with Ctrl+Tab as a user would and saves them as FILE-2.png and FILE-3.png, and ends the
# gallery again. A message box the gallery shows
# first (a skin file it cannot use) is saved beside FILE as ...-message.png and answered.
# Answers 1 when the window did not appear within 60 seconds.
gallery_screenshot() {
  local file=$1 gallery window="" box=""
  shift
  rm -f "${file%.png}-message.png"
  wine build/tools/skinview/skinview.exe "$@" </dev/null >/dev/null 2>&1 &
  gallery=$!
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name '^Vexlo 皮肤预览 - ' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    box=$(xdotool search --onlyvisible --name '^Vexlo 皮肤预览$' 2>/dev/null | head -n 1 || true)
    if [ -n "$box" ]; then
      sleep 1
      xwd -root -silent -display "$display" | convert xwd:- "${file%.png}-message.png"
      xdotool windowfocus "$box" >/dev/null 2>&1 || true
      xdotool key Return >/dev/null 2>&1 || true
    fi
    sleep 0.5
  done
  if [ -z "$window" ]; then
    kill "$gallery" 2>/dev/null || true
    return 1
  fi
  sleep 2  # let it finish painting
  xwd -root -silent -display "$display" | convert xwd:- "$file"
  for page in 2 3; do
    xdotool windowfocus "$window" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers ctrl+Tab >/dev/null 2>&1 || true
    sleep 1
    xwd -root -silent -display "$display" | convert xwd:- "${file%.png}-$page.png"
  done
  kill "$gallery" 2>/dev/null || true
  wait "$gallery" 2>/dev/null || true
}
