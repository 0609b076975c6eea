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

echo "== Optimised build and tests"
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$jobs"
ctest --preset dev --parallel "$jobs"

echo "== Sanitizer build and tests (address, undefined)"
cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$jobs"
ctest --preset asan --parallel "$jobs"

echo "== Fuzzing the bitmap decoder"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$jobs"
bash tools/run-fuzzers.sh build/fuzz

echo "== Windows program: cross-built, tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows --parallel "$jobs"
ctest --preset windows --parallel "$jobs"

echo "== Browser program: built with emscripten, tests in Chromium, Firefox and WebKitGTK"
cmake --preset web >/dev/null
cmake --build --preset web --parallel "$jobs"
ctest --preset web

echo "== Reproducible builds: the Debian packages and the Windows files, built twice"
bash tools/check-reproducible.sh

echo "== All checks passed"
