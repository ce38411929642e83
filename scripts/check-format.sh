#!/usr/bin/env bash
# Checks every tracked .cpp and .h against .clang-format: lists each file that clang-format would change
# with the number of its lines that would change, and exits non-zero when there is one.
# CLANG_FORMAT names the tool (default clang-format-14, the version .clang-format is written for).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$tool" >/dev/null; then
  echo "check-format: $tool not found (Debian package clang-format-14)" >&2
  exit 2
fi
files=0
lines=0
while IFS= read -r -d '' f; do
  changed=$("$tool" --style=file "$f" | diff "$f" - | grep -c '^>' || true)
  if [ "$changed" -gt 0 ]; then
    echo "$f: $changed"
    files=$((files + 1))
    lines=$((lines + changed))
  fi
done < <(git ls-files -z '*.cpp' '*.h')
if [ "$files" -gt 0 ]; then
  echo "check-format: $files files would change, $lines lines" >&2
  exit 1
fi
echo "check-format: every file as .clang-format has it"
