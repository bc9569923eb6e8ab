#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of ours differs from what clang-format (14, Debian's)
# makes of it. tools/test.sh runs it; `git ls-files '*.cpp' '*.h' | xargs clang-format -i` mends.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 1; }
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "check-format: not formatted with clang-format:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: every C++ source is formatted"
