#!/usr/bin/env bash
# Starts the program under Wine. With a display it simply runs. Without one it starts Xvfb, walks
# the program through its windows (donation prompt, main window, about box) and then the skin
# gallery (`quillet-skin gallery`, its popup menu and message box), saves a screenshot of each
# under build/screenshots/ and says where; then the main window and the gallery once more at
# 150 % (main-window-150.png, gallery-150.png).
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

saved=()
# One walk of the tour on a display of its own (the first free number) as large as the prefix's
# desktop:   walk_tour <dpi> <width>x<height> [<suffix>]
walk_tour() {
  local dpi="$1" screen="$2" suffix="${3:-}"
  local display=99
  while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

  # The prefix runs every program inside a virtual desktop (see wine.sh).
  QUILLET_DPI="$dpi" "$wine_sh" "$tour" "$exe" "$shots" $suffix >>"$shots/run.log" 2>&1 &
  local wine_pid=$!
  local deadline=$((SECONDS + 180))
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
  QUILLET_DPI="$dpi" "$wine_sh" --server -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}
cleanup() {
  [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
: >"$shots/run.log"
walk_tour 96 1024x768
# The main window and the gallery again at 150 %, on a screen at 144 DPI.
walk_tour 144 1536x1152 -150
if [ ${#saved[@]} -eq 0 ]; then
  echo "run.sh: no screenshots were taken; see $shots/run.log" >&2
  exit 1
fi
for s in "${saved[@]}"; do echo "screenshot: $s"; done
