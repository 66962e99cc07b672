#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, never the user's ~/.wine.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
wineserver="${WINESERVER:-$(dirname "$wine")/wineserver}"
[ -x "$wineserver" ] || wineserver=wineserver

# What the prefix gets beyond wineboot's defaults. Raise the level when this changes: prefixes
# made before are brought up to date on their next use.
setup_level=1
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
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 ||
    { echo "wine.sh: cannot set the prefix's virtual desktop" >&2; exit 1; }

  # The desktop is chosen when the server starts; the next program must start a new one.
  "$wineserver" -w 2>/dev/null || true
  echo "$setup_level" >"$stamp"
fi
exec "$wine" "$@"
