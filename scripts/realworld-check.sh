#!/usr/bin/env bash
# Runs the whole workflow on real style sheets: first the flag-icon-css package from the npm
# registry, whose sheet names 516 flag images with url(), then the jquery-ui theme from the
# repository's corpus (tests/data/sheets), whose addresses are all in double quotes. Each
# package's files are served from loopback; each sheet goes through the window's steps and
# then through the command line (vexlo.exe --localise); the check prints how many addresses
# were found, downloaded and rewritten, and whether every local reference of the rewritten
# sheet exists. Needs the npm registry and a built tree.
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/realworld
rm -rf "$work" && mkdir -p "$work"
(cd "$work" && npm pack --silent flag-icon-css@3.5.0 >/dev/null && tar xzf flag-icon-css-3.5.0.tgz)
root=$(cd "$work/package" && pwd)
corpus=$(pwd)/tests/data/sheets/jquery-ui
for mode in "" --command; do
  build/wine-run.sh build/tests/app/realworld_check.exe $mode "Z:${root//\//\\}\\css\\flag-icon.css" "Z:${root//\//\\}\\" /css/
  build/wine-run.sh build/tests/app/realworld_check.exe $mode "Z:${corpus//\//\\}\\themes\\base\\theme.css" "Z:${corpus//\//\\}\\" /themes/base/
done
