#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the optimised build with the end-to-end
# tests on a private X server and the package test, the sanitizer build with the same tests but
# the package's, the decoder fuzzer, the source checks, the Windows program cross-built with its
# tests under Wine, the browser version built with emscripten and tested in three browsers, and
# two clean builds of the commit that must give the same files.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=$(nproc)

bash tools/install-packages.sh

echo "== Source checks"
bash tools/check-format.sh

# Each preset's workflow configures, builds and tests (CMakePresets.json); both steps use every core.
export CMAKE_BUILD_PARALLEL_LEVEL=$jobs CTEST_PARALLEL_LEVEL=$jobs

echo "== Optimised build and tests"
cmake --workflow --preset dev

echo "== Sanitizer build and tests (address, undefined)"
cmake --workflow --preset asan

echo "== Fuzzing the bitmap decoder"
cmake --workflow --preset fuzz
bash tools/run-fuzzers.sh build/fuzz

echo "== Windows program: cross-built, tests under Wine"
cmake --workflow --preset windows

echo "== Browser program: built with emscripten, tests in Chromium, Firefox, WebKitGTK and Node"
cmake --workflow --preset web

echo "== Reproducible builds: the Debian packages and the Windows files, built twice"
bash tools/check-reproducible.sh

echo "== All checks passed"
