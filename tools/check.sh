#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the optimised build with the end-to-end
# tests on a private X server and the package test, the sanitizer build with the unit tests and
# the end-to-end tests but for most screen sizes and scales, the decoder fuzzer, the source checks, the Windows program cross-built with its
# tests under Wine, the browser version built with emscripten and tested in three browsers, and
# one more clean build of the commit that must give the same files. Each stage says when it
# starts, counted from the start.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=$(nproc)

stage() {
  printf '== %s (at %d:%02d)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60))
}

bash tools/install-packages.sh

stage "Source checks"
bash tools/check-format.sh

# Each preset's workflow configures, builds and tests (CMakePresets.json); both steps use every core.
export CMAKE_BUILD_PARALLEL_LEVEL=$jobs CTEST_PARALLEL_LEVEL=$jobs

stage "Optimised build and tests"
cmake --workflow --preset dev

stage "Sanitizer build and tests (address, undefined)"
cmake --workflow --preset asan

stage "Fuzzing the bitmap decoder"
cmake --workflow --preset fuzz
bash tools/run-fuzzers.sh build/fuzz

stage "Windows program: cross-built, tests under Wine"
cmake --workflow --preset windows

stage "Browser program: built with emscripten, tests in Chromium, Firefox, WebKitGTK and Node"
cmake --workflow --preset web

stage "Reproducible builds: the Debian packages and the Windows files, built once more"
# From a tree with nothing uncommitted, the package test's packages and the Windows build's files
# are the commit's first build; otherwise the check builds it twice.
earlier=build/earlier-files
rm -rf -- "$earlier"
mkdir -p "$earlier"
if [[ -z "$(git status --porcelain)" ]] &&
  cp -- build/dev/tests/package/artifacts/*.deb build/windows/app/flurb-cards.exe \
    build/windows/packaging/windows/*.zip build/windows/packaging/windows/*-setup.exe \
    "$earlier/" 2>/dev/null; then
  bash tools/check-reproducible.sh --earlier "$earlier"
else
  bash tools/check-reproducible.sh
fi

stage "All checks passed"
