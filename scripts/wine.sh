#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, never the user's ~/.wine.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
  "${WINESERVER:-$(dirname "$wine")/wineserver}" -w 2>/dev/null || true
fi
exec "$wine" "$@"
