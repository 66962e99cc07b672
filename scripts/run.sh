#!/usr/bin/env bash
# Starts the program under Wine. With a display it simply runs. Without one it starts Xvfb, walks
# the program through its windows (donation prompt, main window, about box) and then the skin
# gallery (`quillet-skin gallery`, its popup menu and message box), saves a screenshot of each
# under build/screenshots/ and says where.
#   scripts/run.sh [build/win/quillet.exe]
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exe="$(realpath "${1:-$top/build/win/quillet.exe}")"
wine_sh="$top/scripts/wine.sh"

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine_sh" "$exe"
fi

shots="$top/build/screenshots"
mkdir -p "$shots"
rm -f "$shots"/*.want "$shots/tour.done"
tour="$(dirname "$exe")/quillet-tour.exe"
[ -f "$tour" ] || { echo "run.sh: $tour is missing; build the Windows tree first" >&2; exit 1; }

# A display of our own, on the first free number.
display=99
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
cleanup() {
  WINEPREFIX="${WINEPREFIX:-$top/build/wineprefix}" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The prefix runs every program inside a virtual desktop (see wine.sh).
"$wine_sh" "$tour" "$exe" "$shots" >"$shots/run.log" 2>&1 &
wine_pid=$!
saved=()
deadline=$((SECONDS + 180))
while [ ! -e "$shots/tour.done" ] && kill -0 "$wine_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
  for want in "$shots"/*.want; do
    [ -e "$want" ] || continue
    name="$(basename "$want" .want)"
    import -window root "$shots/$name.png"
    saved+=("$shots/$name.png")
    rm -f "$want"
  done
  sleep 0.2
done
outcome="$(cat "$shots/tour.done" 2>/dev/null || echo "the tour did not finish")"
rm -f "$shots/tour.done"
[ -z "$outcome" ] || echo "run.sh: $outcome (see $shots/run.log)" >&2
if [ ${#saved[@]} -eq 0 ]; then
  echo "run.sh: no screenshots were taken; see $shots/run.log" >&2
  exit 1
fi
for s in "${saved[@]}"; do echo "screenshot: $s"; done
