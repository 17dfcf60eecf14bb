#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it with the
# committed .clang-format, and names each such file.
#   check_format.sh CLANG_FORMAT SOURCE_DIR
set -euo pipefail
clang_format=$1
cd "$2"
mapfile -t files < <(find core tiff display decode ui tests fuzz bench \
  \( -name '*.cpp' -o -name '*.h' \) -not -path '*/data/*' | sort)
unformatted=$("$clang_format" --dry-run "${files[@]}" 2>&1 \
  | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [[ -n $unformatted ]]; then
  echo "not formatted with .clang-format (run clang-format -i on them):"
  echo "$unformatted"
  exit 1
fi
echo "format: all ${#files[@]} files as clang-format writes them"
