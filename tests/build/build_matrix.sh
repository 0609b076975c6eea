#!/usr/bin/env bash
# Builds the product alone, as a user or a distribution would, in trees of its own: each build
# type configures with testing off while GoogleTest, Google Benchmark and Qt Test cannot be found
# and without looking for mingw's windres, builds without the developers' warnings-as-errors, and
# makes a program with no relative library search path and, where optimised, Debian's hardening.
# "None" is Debian's own: no build type, the flags from dpkg-buildflags.
#
#   build_matrix.sh SOURCE_DIR WORK_DIR [BUILD_TYPE...]     (default: Release)
set -euo pipefail

readonly source_dir=$1 work_dir=$2
shift 2
build_types=("$@")
[[ ${#build_types[@]} -gt 0 ]] || build_types=(Release)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly here

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Cache entries that only a test-only tool or package leaves behind.
readonly TEST_ONLY_ENTRIES='^(FLURB_WINDRES|GTest_DIR|benchmark_DIR|Qt6Test_DIR)[:=]'

build_product() {
  local type=$1 tree=$work_dir/$1
  local -a flags=()
  if [[ "$type" == None ]]; then
    # As debhelper passes them: the preprocessor flags ride with the compiler's.
    flags=(CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
      LDFLAGS="$(dpkg-buildflags --get LDFLAGS)")
  fi
  echo "== $type: configure"
  # --fresh: a cache from an earlier run must not stand in for a package found now.
  env "${flags[@]}" cmake --fresh -S "$source_dir" -B "$tree" -DCMAKE_BUILD_TYPE="$type" \
    -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON \
    >"$tree.configure.log" 2>&1 || fail "$type does not configure; see $tree.configure.log"
  if grep -E "$TEST_ONLY_ENTRIES" "$tree/CMakeCache.txt"; then
    fail "$type looks for test-only tools or packages with testing off"
  fi
  echo "== $type: build"
  cmake --build "$tree" --parallel 2 >"$tree.build.log" 2>&1 ||
    fail "$type does not build; see $tree.build.log"
  "$here/program_checks.sh" runpath "$tree/app/flurb-cards"
  # The fortified calls need the optimiser, which a Debug build goes without.
  if [[ "$type" != Debug ]]; then
    "$here/program_checks.sh" hardening "$tree/app/flurb-cards"
  fi
}

mkdir -p -- "$work_dir"
for type in "${build_types[@]}"; do
  build_product "$type"
done
echo "ok: ${build_types[*]} built the product"
