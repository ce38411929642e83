#!/usr/bin/env bash
# Builds the tree with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ (a folder of its
# own, so the ordinary build/ is left as it is) and runs the whole test suite there. Every sanitizer report
# of every process the tests start (the test programs and the program copies the look tests run) is written
# to build-sanitize/sanitizer/; leaks are not reported. A report a process writes to its error output instead
# (UndefinedBehaviorSanitizer does so in some compilers' runtimes) is counted from the suite's output. The
# server tests run against the local server (scripts/firebird-server.sh). Prints the number of tests run and
# of reports, and exits non-zero on a failed test or on any report.
#
#   scripts/sanitize.sh [CTEST-ARGS...]   e.g. scripts/sanitize.sh -R GridTest
#
# JOBS (default the number of cores) sets the build's and the suite's parallelism; SANITIZE_DIR the folder.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${SANITIZE_DIR:-$root/build-sanitize}
jobs=${JOBS:-$(nproc)}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The benchmarks are not part of the suite. The test programs are listed when the suite runs, not while
# building, so that a slow sanitized program cannot fail the build.
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" -DTARVIS_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null || exit 2
cmake --build "$dir" -j "$jobs" || exit 2

reports=$dir/sanitizer
rm -rf "$reports"
mkdir -p "$reports"
# Each process writes its reports to a file of its own (the name ends in its process id).
export ASAN_OPTIONS="detect_leaks=0:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$reports/ubsan"

# The server tests need the administrator's password: the server script gives it (or nothing, and they skip).
if [ -z "${ISC_PASSWORD:-}" ]; then
  eval "$("$root/scripts/firebird-server.sh" 2>/dev/null)"
fi

cd "$dir" || exit 2
ctest -j "$jobs" --timeout 300 --output-on-failure "$@" | tee "$dir/ctest.log"
tests_rc=${PIPESTATUS[0]}

pattern='^==[0-9]+==ERROR: |runtime error: '
in_files=$(cat "$reports"/* 2>/dev/null | grep -cE "$pattern" || true)
# What the test programs wrote to their error output: ctest keeps every test's whole output in LastTest.log.
output=$dir/Testing/Temporary/LastTest.log
[ -f "$output" ] || output=$dir/ctest.log
in_output=$(grep -cE "$pattern" "$output" || true)
count=$((in_files + in_output))
ran=$(grep -oE 'tests passed, [0-9]+ tests failed out of [0-9]+' "$dir/ctest.log" | tail -1)
echo "sanitize: ${ran:-no tests run}; sanitizer reports: $count ($in_files in $reports, $in_output in the output)"
if [ "$count" -gt 0 ]; then
  # One line per place: the first frame of each report inside the tree.
  for f in "$reports"/*; do
    [ -e "$f" ] || continue
    echo "--- $f"
    grep -m1 -E "$pattern" "$f"
    grep -m1 -E "#[0-9]+ .* $root/" "$f"
  done
  if [ "$in_output" -gt 0 ]; then
    echo "--- $output"
    grep -E "$pattern" "$output" | sort | uniq -c | sort -rn | head -20
  fi
  exit 1
fi
exit "$tests_rc"
