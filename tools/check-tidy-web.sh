#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the browser program's own sources (the
# canvas backend and its entry point), with the compile commands of the web build and
# emscripten's headers.
#   tools/check-tidy-web.sh [BUILD_DIR]   (default build/web)
#
# Only diagnostics in these sources count: the shared headers have their pass with the dev build.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/web}
[ -f "$build/compile_commands.json" ] || cmake --preset web >/dev/null
sysroot=/usr/share/emscripten/cache/sysroot
mapfile -t sources < <(git ls-files 'platform/web/*.cpp' 'app/web_*.cpp')
findings=$(printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet \
    --extra-arg=--target=wasm32-unknown-emscripten --extra-arg=--sysroot="$sysroot" \
    --extra-arg=-isystem"$sysroot/include/c++/v1" --extra-arg=-isystem"$sysroot/include" \
    2>/dev/null |
  grep -E '^/.*/(platform/web/|app/web_)[^:]*: (error|warning):' || true)
if [[ -n "$findings" ]]; then
  echo "$findings"
  exit 1
fi
echo "clang-tidy (web): ${#sources[@]} files clean"
