#!/usr/bin/env bash
# Builds the current commit from clean clones in folders of its own and compares what a parent
# downloads: the Debian packages (dpkg-buildpackage), and the Windows program with its zip and its
# installer (Release, cross-built, tests off). Prints each file's SHA-256 from both builds and fails
# if any file differs.
#
#   check-reproducible.sh [--earlier DIR]
#
# Without --earlier it builds twice, one clone after the other. With it, DIR holds the same files
# from an earlier build of this commit in another folder (the test command's own), and one build
# is compared with them.
#
# SOURCE_DATE_EPOCH, where the caller sets none, comes from debian/changelog for the Debian
# packages and from the commit for the Windows files. Uncommitted changes are not built.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly repo
earlier=""
if [[ "${1:-}" == --earlier ]]; then
  earlier=$(cd "$2" && pwd)
fi
jobs=$(nproc)
commit=$(git -C "$repo" rev-parse HEAD)
readonly jobs commit

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/flurb-reproducible.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
[[ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ]] ||
  echo "note: uncommitted changes are not part of the builds of ${commit:0:12}"

# build_debian SOURCE OUT: the Debian packages, as a distribution builds them.
build_debian() {
  (cd "$1" && dpkg-buildpackage -us -uc -b "-j$jobs") >"$2/deb.log" 2>&1 ||
    fail "dpkg-buildpackage failed; see $2/deb.log"
  cp -- "$1"/../*.deb "$2/"
}

# build_windows SOURCE OUT: the Windows program, its zip and its installer (the build makes its
# own native artwork tool for the letter pictures' renderings).
build_windows() {
  local tree=$1/build-windows
  {
    cmake -S "$1" -B "$tree" --toolchain "$1/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
      cmake --build "$tree" --parallel "$jobs" --target windows-zip windows-installer
  } >"$2/exe.log" 2>&1 || fail "the Windows build failed; see $2/exe.log"
  cp -- "$tree/app/flurb-cards.exe" "$tree"/packaging/windows/*.zip \
    "$tree"/packaging/windows/*-setup.exe "$2/"
}

# build NAME: a clean clone of the commit in a folder of that name, and everything built from it.
build() {
  local source=$work/$1/flurb-cards out=$work/$1/out
  mkdir -p -- "$out"
  git clone -q --no-checkout "$repo" "$source"
  git -C "$source" checkout -q --detach "$commit"
  build_debian "$source" "$out"
  build_windows "$source" "$out"
  echo "== built ${commit:0:12} in $1 ($SECONDS s)"
}

# Folder names of different lengths, so that no path can hide in a file by its length alone.
first_out=$earlier
if [[ -z "$earlier" ]]; then
  build first
  first_out=$work/first/out
fi
build second-build

differing=0
for second_file in "$work/second-build/out"/*; do
  name=$(basename "$second_file")
  [[ "$name" != *.log ]] || continue
  [[ -f "$first_out/$name" ]] || fail "the first build made no $name"
  first=$(sha256sum <"$first_out/$name" | cut -d' ' -f1)
  second=$(sha256sum <"$second_file" | cut -d' ' -f1)
  if [[ "$first" == "$second" ]]; then
    echo "same      $first  $name"
  else
    echo "DIFFERENT $first  $name"
    echo "          $second  (second build)"
    differing=$((differing + 1))
  fi
done
((differing == 0)) || fail "$differing files differ between two builds of ${commit:0:12}"
echo "ok: two builds of ${commit:0:12} gave the same files ($SECONDS s)"
