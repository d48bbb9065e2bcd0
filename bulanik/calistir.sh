#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a bounded time, each
# from its checked-in seeds (tohum/<target>/) and the corpus it has grown in
# earlier runs. Fails on any crash, leak, sanitizer report, broken invariant,
# time-out or memory over the limits.
#
#   bulanik/calistir.sh                      every target, BULANIK_SURE seconds each
#   BULANIK_SURE=3600 bulanik/calistir.sh cerceve_coz    one target for an hour
#
# A failing input is kept as build/fuzz/bulgu/<target>-crash-... (or leak-,
# timeout-, oom-); run it again with build/fuzz/bulanik/<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."

sure="${BULANIK_SURE:-20}"
derleme=build/fuzz
bulgu="$derleme/bulgu"
korpus="$derleme/korpus"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"${BULANIK_DERLEME_IS:-4}" >/dev/null

if [ "$#" -gt 0 ]; then
  hedefler=("$@")
else
  hedefler=()
  for d in bulanik/tohum/*/; do hedefler+=("$(basename "$d")"); done
fi

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:allocator_may_return_null=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

mkdir -p "$bulgu"
kalan=0
for hedef in "${hedefler[@]}"; do
  program="$derleme/bulanik/$hedef"
  tohum="bulanik/tohum/$hedef"
  if [ ! -x "$program" ] || [ ! -d "$tohum" ]; then
    echo "[KALDI] $hedef: no program $program or no seeds $tohum"
    kalan=1
    continue
  fi
  mkdir -p "$korpus/$hedef"
  gunluk="$bulgu/$hedef.log"
  durum=0
  "$program" -max_total_time="$sure" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=512 \
    -print_final_stats=1 -artifact_prefix="$bulgu/$hedef-" \
    "$korpus/$hedef" "$tohum" >"$gunluk" 2>&1 || durum=$?
  kosu=$(sed -n 's/^stat::number_of_executed_units: *//p' "$gunluk" | tail -n 1)
  if [ "$durum" -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|invariant broken' "$gunluk"; then
    echo "[KALDI] $hedef (exit $durum, ${kosu:-?} runs): see $gunluk"
    grep -E 'ERROR:|runtime error:|invariant broken|SUMMARY|Test unit written' "$gunluk" | head -n 8 | sed 's/^/  /'
    kalan=1
  else
    echo "[GECTI] $hedef (${sure}s, ${kosu:-?} runs)"
  fi
done
exit "$kalan"
