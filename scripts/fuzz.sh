#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz/) with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ with clang-14 and runs each for the given number of seconds, one after another (JOBS at a
# time). New inputs that reach more of a reader are kept in its folder tests/fuzz/corpus/<target>/; an input
# that crashes, hangs or exhausts memory is kept there too (named crash-, timeout-, oom-, slow-unit-) and
# makes the script exit non-zero. After each run the folder is cut down to the inputs that reach all the
# others reach. By hand, not in CI.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]    e.g. scripts/fuzz.sh 900 ZipArchive XlsxTemplate
#
# JOBS (default 2) targets run at once; FUZZ_DIR the build folder; the build itself uses JOBS cores.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${FUZZ_DIR:-$root/build-fuzz}
jobs=${JOBS:-2}
seconds=${1:-60}
shift || true

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" -DTARVIS_BENCH=OFF \
  -DTARVIS_FUZZ=ON -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null || exit 2

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/tests/fuzz/*Fuzz.cpp; do
    t=$(basename "$f" Fuzz.cpp)
    targets+=("$t")
  done
fi
cmake --build "$dir" -j "$jobs" --target "${targets[@]/#/fuzz_}" || exit 2

export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
logs=$dir/logs
mkdir -p "$logs"

run() {
  local t=$1 corpus=$root/tests/fuzz/corpus/$1
  mkdir -p "$corpus"
  # Findings go into the corpus folder under libFuzzer's own names; memory and time per input are bounded.
  "$dir/fuzz/fuzz_$t" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 \
    -max_len=65536 -artifact_prefix="$corpus/" -print_final_stats=1 >"$logs/$t.log" 2>&1
  local rc=$?
  # The corpus cut down to the inputs that reach all it reaches, so that what is kept stays small.
  local min=$dir/min/$t
  rm -rf "$min" && mkdir -p "$min"
  if "$dir/fuzz/fuzz_$t" -merge=1 -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 "$min" "$corpus" \
    >"$logs/$t.merge.log" 2>&1; then
    find "$corpus" -maxdepth 1 -type f ! -name 'crash-*' ! -name 'timeout-*' ! -name 'oom-*' ! -name 'slow-unit-*' \
      -delete
    cp "$min"/* "$corpus"/ 2>/dev/null
  fi
  echo "$t: exit $rc, $(grep -m1 -oE 'stat::number_of_executed_units: [0-9]+' "$logs/$t.log" | grep -oE '[0-9]+') runs"
  return $rc
}

failed=0
pids=()
for t in "${targets[@]}"; do
  run "$t" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do
  wait "$p" || failed=1
done
ls "$root"/tests/fuzz/corpus/*/{crash,timeout,oom,slow-unit}-* 2>/dev/null
exit $failed
