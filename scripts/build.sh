#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug info, Ninja).
# With --strict (the test command and CI) a compiler warning fails the build; without it (the run command) a
# warning a newer compiler finds never stops a foundry's build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
strict=0
[ "${1:-}" = "--strict" ] && strict=1
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$strict" -eq 0 ]; then
  exec cmake --build "$root/build" -j "$(nproc)"
fi
log="$root/build/build-warnings.log"
set +e
cmake --build "$root/build" -j "$(nproc)" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || exit "$status"
if grep -qE "^[^ ]+:[0-9]+:([0-9]+:)? warning:" "$log"; then
  echo "build: the compiler warned (every warning is an error here):" >&2
  grep -E "^[^ ]+:[0-9]+:([0-9]+:)? warning:" "$log" >&2
  exit 1
fi
