#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each one in turn for FUZZ_SECONDS (default 30).
#   FUZZ_SECONDS=600 scripts/fuzz.sh [target...]
# Crashes land in build/fuzz/crashes/<target>/; the corpus grows in build/fuzz/corpus/<target>/.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$top/build/fuzz"
seconds="${FUZZ_SECONDS:-30}"
cxx="${FUZZ_CXX:-clang++-14}"
command -v "$cxx" >/dev/null || cxx=clang++
mkdir -p "$out"

sources=(base/text skin/bitmap skin/elements skin/lzh skin/painter skin/quick_ini skin/skin_reader skin/text
         skin/track_bitmaps registry/key_path registry/reg_file registry/memory_backend creator/clsid_list)
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$top/src")
san=(-fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

# The sources once, instrumented for coverage.
objs=()
for s in "${sources[@]}"; do
  o="$out/obj/${s//\//_}.o"
  mkdir -p "$out/obj"
  if [[ ! -f "$o" || "$top/src/$s.cpp" -nt "$o" || -n "$(find "$top/src/${s%/*}" -name '*.h' -newer "$o")" ]]; then
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$top/src/$s.cpp" -o "$o"
  fi
  objs+=("$o")
done

"$cxx" "${flags[@]}" -I"$top/tests" -fsanitize=address,undefined "$top/fuzz/make_seeds.cpp" \
  "$top"/src/skin/{bitmap,lzh,skin_reader,text}.cpp "$top/src/base/text.cpp" "$top/tests/registry/regedit_cases.cpp" \
  -o "$out/make_seeds"
"$out/make_seeds" "$out/seeds"

targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(lzh archive ini bmp regfile clsid_list registry_ops)
status=0
for t in "${targets[@]}"; do
  "$cxx" "${flags[@]}" "${san[@]}" "$top/fuzz/${t}_fuzz.cpp" "${objs[@]}" -o "$out/${t}_fuzz"
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
