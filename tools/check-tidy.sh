#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every C++ source of the program, its
# tests, benchmarks and tools, using the compile commands of a configured build.
#   tools/check-tidy.sh [BUILD_DIR]   (default build/dev)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/dev}
[ -f "$build/compile_commands.json" ] || cmake --preset dev >/dev/null
# The Windows and the browser program's own sources have passes of their own, with their builds.
mapfile -t sources < <(git ls-files '*.cpp' |
  grep -v -e '^platform/win32/' -e '^tests/windows/' -e '^app/windows_' \
    -e '^platform/web/' -e '^app/web_')
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
echo "clang-tidy: ${#sources[@]} files clean"
bash tools/check-tidy-windows.sh
bash tools/check-tidy-web.sh
