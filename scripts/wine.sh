#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, never the user's ~/.wine. Every
# Wine start of the build goes through here: the Makefile, the scripts, and ctest as its emulator.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# QUILLET_DPI=d (120, 144, 192, ...) runs the program in a prefix of its own whose screen is at d
# DPI, as a user who set that scale before starting Quillet the first time; its virtual desktop
# is 1024x768 at that scale.
dpi="${QUILLET_DPI:-96}"
case "$dpi" in ''|*[!0-9]*) echo "wine.sh: QUILLET_DPI must be a number" >&2; exit 1 ;; esac
if [ "$dpi" = 96 ]; then
  export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}"
else
  export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix-${dpi}dpi}"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
wineserver="${WINESERVER:-$(dirname "$wine")/wineserver}"
[ -x "$wineserver" ] || wineserver=wineserver
# `wine.sh --server ARGS` runs the prefix's server instead: -w waits until it ends, -k ends it.
if [ "${1:-}" = "--server" ]; then
  shift
  exec "$wineserver" "$@"
fi

# What the prefix gets beyond wineboot's defaults. Raise the level when this changes: prefixes
# made before are brought up to date on their next use.
setup_level="2 $dpi"
stamp="$WINEPREFIX/.quillet-setup"
if [ "$(cat "$stamp" 2>/dev/null)" != "$setup_level" ]; then
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init >/dev/null 2>&1

  # This Wine does not find the fonts it ships, so without these every face falls back to a wide
  # system font: "MS Sans Serif" (the program's face) must be the bitmap one with the 8-point
  # metrics its layouts were made for, not the scalable look-alike; Marlett draws the caption
  # buttons; Tahoma is what Wine's dialogs and captions ask for.
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in sserife.fon marlett.ttf tahoma.ttf tahomabd.ttf; do
    for d in "$(dirname "$(readlink -f "$wine")")/../../share/wine/fonts" /usr/share/wine/fonts \
             /usr/lib/x86_64-linux-gnu/wine/fonts; do
      [ -f "$d/$f" ] && cp "$d/$f" "$fonts/" && break
    done
    [ -f "$fonts/$f" ] || { echo "wine.sh: Wine's font $f is missing (package fonts-wine)" >&2; exit 1; }
  done

  # Every program runs inside a virtual desktop, the only place where Wine draws window frames
  # itself, as on Windows.
  desktop="$(( (1024 * dpi + 48) / 96 ))x$(( (768 * dpi + 48) / 96 ))"
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1 &&
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    { echo "wine.sh: cannot set the prefix's virtual desktop" >&2; exit 1; }

  # The desktop is chosen when the server starts; the next program must start a new one.
  "$wineserver" -w 2>/dev/null || true
  echo "$setup_level" >"$stamp"
fi
exec "$wine" "$@"
