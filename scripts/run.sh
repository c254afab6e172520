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

exec ./scripts/screenshots.sh
