#!/usr/bin/env bash
# Runs every benchmark program of both trees; each prints its own ratios against a baseline it
# measured in the same run. Then the sizes of the shipped programs against their limit.
set -uo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$top"
status=0
shopt -s nullglob
for b in build/native/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  echo "== $(basename "$b") (native)"
  "$b" || status=1
done
run_win() {
  for b in build/win/bench/*.exe; do
    echo "== $(basename "$b") (Wine)"
    scripts/wine.sh "$b" || status=1
  done
}
if [ -z "${DISPLAY:-}" ]; then
  export -f run_win
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f run_win); status=0; run_win; exit \$status" || status=1
else
  run_win
fi

# The shipped programs are held to a size; built as shipped, stripped.
echo "== program sizes"
for exe in quillet.exe quillet-sandbox.exe; do
  size=$(stat -c %s "build/win/$exe")
  limit=1000000
  printf '%s: %d bytes (ratio %s x the %d-byte limit)\n' "$exe" "$size" \
    "$(awk -v s="$size" -v l="$limit" 'BEGIN { printf "%.2f", s / l }')" "$limit"
  [ "$size" -le "$limit" ] || { echo "$exe is over the limit" >&2; status=1; }
done
exit $status
