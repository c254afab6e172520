#!/usr/bin/env bash
# wine-prefix.sh PREFIX DRIVER: makes a 32-bit Wine prefix for Vexlo once, when missing.
# DRIVER is "null" (headless tests) or "x11" (a real or virtual display).
# The prefix maps the window's Chinese font names onto WenQuanYi Zen Hei.
set -euo pipefail
prefix=$1 driver=$2
# The stamp names the settings' version: a prefix made with older settings is brought up to date.
stamp="$prefix/.vexlo-ready-3"
[ -f "$stamp" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$stamp" ] && exit 0

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
export LC_ALL=zh_CN.UTF-8
unset DISPLAY
wineboot -i >/dev/null 2>&1

reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  if [ "$driver" = null ]; then
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="null"\r\n\r\n'
  else
    # Let Wine draw the frames itself: a virtual display has no window manager.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n\r\n'
  fi
  # A program that crashes ends at once: the crash debugger starts without asking, prints
  # the backtrace to the program's error output and ends the program without a dialog.
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"="winedbg --auto %%ld %%ld"\r\n"Auto"="1"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for name in 宋体 黑体 新宋体 SimSun SimHei NSimSun "MS Song" 微软雅黑 "Microsoft YaHei"; do
    printf '"%s"="WenQuanYi Zen Hei"\r\n' "$name"
  done
  printf '\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
rm -f "$reg"
# The system draws the glyphs of caption buttons and menu marks with the Marlett font, which
# every Windows has. Debian's Wine does not load the copy in its own data folder, so without
# one in the prefix those glyphs come out as letters ("r" for close).
marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] || marlett=/usr/share/fonts/truetype/wine/marlett.ttf
cp "$marlett" "$prefix/drive_c/windows/Fonts/"
# End the session that made the prefix: its desktop process was started without a display
# and must not serve the program's windows. The registry is saved on the way out.
wineboot -s >/dev/null 2>&1 || true
timeout 60 wineserver -w || wineserver -k || true
touch "$stamp"
