#!/usr/bin/env bash
# Static analysis with the repository's configurations (.clang-format,
# .clang-tidy, the cppcheck options below); fails on any finding. Takes the
# build folder whose compile_commands.json clang-tidy reads.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build="${1:-build/native}"

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
program=(src/*.cpp src/*/*.cpp tests/unit/cmd_model.cpp)

echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

echo "clang-tidy: ${#program[@]} files"
printf '%s\n' "${program[@]}" |
  xargs -P 2 -n 1 clang-tidy -p "$build" --quiet 2>&1 |
  { grep -v -E '^[0-9]+ warnings? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' || true; } |
  tee /dev/stderr | { ! grep -q -E 'warning:|error:'; }

echo "cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++17 \
  --error-exitcode=1 --inline-suppr --quiet -I src \
  src tests/unit/cmd_model.cpp tests/standin
echo "static analysis: no findings"
