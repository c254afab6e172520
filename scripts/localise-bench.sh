#!/usr/bin/env bash
# The command line on the 516-image sheet of flag-icon-css (from the npm registry) with
# --jobs 8, beside the window's pacing and beside wget2 -p -k, on one loopback site in one
# run (bench/LocaliseBench.cpp). Needs the npm registry, wget2 and a built tree.
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/localise-bench
if [ ! -d "$work/package" ]; then
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && npm pack --silent flag-icon-css@3.5.0 >/dev/null && tar xzf flag-icon-css-3.5.0.tgz)
fi
root=$(cd "$work/package" && pwd)
build/wine-run.sh build/bench/localise_bench.exe "Z:${root//\//\\}\\" css/flag-icon.css
