#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the Windows program's own sources (the
# Win32 backend, its entry point and its tests), with the compile commands of the windows build
# and mingw-w64's headers.
#   tools/check-tidy-windows.sh [BUILD_DIR]   (default build/windows)
#
# The compile commands are GCC's: clang reports the options it does not know (-Wno-error=restrict)
# as errors without a place in the sources. Only diagnostics with a place count.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/windows}
[ -f "$build/compile_commands.json" ] || cmake --preset windows >/dev/null
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
mapfile -t sources < <(git ls-files 'platform/win32/*.cpp' 'tests/windows/*.cpp' 'app/windows_*.cpp')
findings=$(printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet \
    --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg=-isystem"$gcc_dir/include/c++" \
    --extra-arg=-isystem"$gcc_dir/include/c++/x86_64-w64-mingw32" \
    --extra-arg=-isystem/usr/x86_64-w64-mingw32/include 2>/dev/null |
  grep -E '^/.*: (error|warning):' || true)
if [[ -n "$findings" ]]; then
  echo "$findings"
  exit 1
fi
echo "clang-tidy (Windows): ${#sources[@]} files clean"
