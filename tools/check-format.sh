#!/usr/bin/env bash
# Fails when a tracked C++ file is not formatted by the repository's .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] || clang-format --dry-run -Werror "${files[@]}"
echo "formatting: ${#files[@]} files clean"
