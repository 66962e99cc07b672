#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each one in turn for FUZZ_SECONDS (default 30).
#   FUZZ_SECONDS=600 scripts/fuzz.sh [target...]
# Crashes land in build/fuzz/crashes/<target>/; the corpus grows in build/fuzz/corpus/<target>/.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$top/build/fuzz"
seconds="${FUZZ_SECONDS:-30}"
cc="${FUZZ_CC:-clang-14}" cxx="${FUZZ_CXX:-clang++-14}"
command -v "$cc" >/dev/null || cc=clang
command -v "$cxx" >/dev/null || cxx=clang++

# The fuzz tree: the program's own libraries, built by clang with libFuzzer's coverage (see
# QUILLET_FUZZ in CMakeLists.txt); one target per fuzz/<name>_fuzz.cpp.
[ -f "$out/CMakeCache.txt" ] ||
  cmake -S "$top" -B "$out" -DQUILLET_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for f in "$top"/fuzz/*_fuzz.cpp; do f="${f##*/}"; targets+=("${f%_fuzz.cpp}"); done
fi
cmake --build "$out" -j"$(nproc)" --target make_seeds "${targets[@]/%/_fuzz}" -- --no-print-directory >/dev/null
"$out/make_seeds" "$out/seeds"

status=0
for t in "${targets[@]}"; do
  mkdir -p "$out/corpus/$t" "$out/crashes/$t"
  # What earlier runs found is kept in the tree and read again first.
  extra=()
  [[ -d "$top/fuzz/regressions/$t" ]] && extra+=("$top/fuzz/regressions/$t")
  [[ -f "$top/fuzz/$t.dict" ]] && dict=(-dict="$top/fuzz/$t.dict") || dict=()
  echo "== fuzzing $t for ${seconds}s"
  # One job, run from the output folder, where libFuzzer writes the job's log (fuzz-0.log).
  rm -f "$out/fuzz-0.log"
  if ! (cd "$out" && ASAN_OPTIONS=detect_leaks=1 "$out/${t}_fuzz" -jobs=1 -workers=1 -max_total_time="$seconds" \
      -rss_limit_mb=2048 -timeout=10 -max_len=65536 -print_final_stats=1 "${dict[@]}" \
      -artifact_prefix="$out/crashes/$t/" "$out/corpus/$t" "$out/seeds/$t" "${extra[@]}" >"$out/$t.log" 2>&1); then
    status=1
  fi
  [[ -f "$out/fuzz-0.log" ]] && cat "$out/fuzz-0.log" >>"$out/$t.log"
  if grep -qE 'ERROR: libFuzzer|ERROR: AddressSanitizer|runtime error' "$out/$t.log" || [[ -n "$(ls -A "$out/crashes/$t")" ]]; then
    echo "!! $t found a problem; see $out/$t.log and $out/crashes/$t/"
    status=1
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)|^Done' "$out/$t.log" | awk '!seen[$0]++' || tail -3 "$out/$t.log"
done
exit $status
