#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's private prefix, never
# the user's own. The ja_JP locale makes the ANSI code page 932.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
mkdir -p "$WINEPREFIX"
# Make the prefix once; tests started in parallel wait for it.
if [ ! -f "$WINEPREFIX/.korvany-ready" ]; then
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.korvany-ready" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
    touch "$WINEPREFIX/.korvany-ready"
  fi
  exec 9>&-
fi
exec "$wine" "$@"
