#!/usr/bin/env bash
# Builds the Debian package from a copy of the source with dpkg-buildpackage (testing off, the
# test-only packages not looked for), lints it, installs it on this machine with apt-get, checks
# every file it installed and the program's search path and hardening, runs the package's own tests
# (debian/tests) with autopkgtest on this machine, then removes the package and checks that it left
# nothing behind.
#
#   package_test.sh SOURCE_DIR APP_ID ARTIFACT_DIR
#
# Skipped (status 77) when not run as root, and when flurb-cards is already installed here: the
# removal at the end would take away what someone installed on purpose.
set -euo pipefail

readonly package=flurb-cards
readonly source_dir=$1 app_id=$2 artifacts=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly here

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

skip() {
  echo "SKIP: $*"
  exit 77
}

step() {
  echo "== $* ($SECONDS s)"
}

package_status() {
  dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || echo not-installed
}

# Gone even when skipped: no later step may take an earlier run's packages for this one's.
rm -rf -- "$artifacts"
mkdir -p -- "$artifacts"
[[ "$(id -u)" -eq 0 ]] || skip "installing a package needs root"
[[ "$(package_status)" == not-installed ]] ||
  skip "$package is already installed on this machine ($(package_status))"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/flurb-package.XXXXXX")
# apt reads a local package file as its own unprivileged user.
chmod 755 "$scratch"
installed=false
cleanup() {
  if $installed; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -q -o DPkg::Lock::Timeout=900 "$package" \
      >>"$artifacts/apt.log" 2>&1 ||
      echo "could not remove $package; see $artifacts/apt.log" >&2
  fi
  rm -rf -- "$scratch"
}
trap cleanup EXIT

step "Building the package"
# dpkg-buildpackage puts the packages beside the source tree: a copy of the tracked and new files
# keeps them, and its build folders, out of the developer's tree.
mkdir "$scratch/source"
git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
  tar -C "$source_dir" --null --files-from=- --ignore-failed-read -cf - 2>/dev/null |
  tar -C "$scratch/source" -xf -
(cd "$scratch/source" && dpkg-buildpackage -us -uc -b "-j$(nproc)") \
  >"$artifacts/dpkg-buildpackage.log" 2>&1 ||
  fail "dpkg-buildpackage failed; see $artifacts/dpkg-buildpackage.log"
# The product as a distribution builds it, with testing off: its configuration must not even look
# for the test-only packages and tools, which this machine has.
if grep -E '^(FLURB_WINDRES|GTest_DIR|benchmark_DIR|Qt6Test_DIR)[:=]' \
  "$scratch/source/obj-$(dpkg-architecture -q DEB_HOST_GNU_TYPE)/CMakeCache.txt"; then
  fail "the package's build looks for test-only tools or packages with testing off"
fi
version=$(dpkg-parsechangelog -l "$scratch/source/debian/changelog" -S Version)
deb=$scratch/${package}_${version}_$(dpkg-architecture -q DEB_HOST_ARCH).deb
readonly deb
[[ -f "$deb" ]] || fail "dpkg-buildpackage made no $deb: $(ls "$scratch")"
# Kept for the reproducibility check, which builds the packages once more elsewhere.
cp -- "$scratch"/*.deb "$artifacts/"
[[ "$(dpkg-deb -f "$deb" Package)" == "$package" ]] || fail "the package is not named $package"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 fonts-urw-base35 fonts-liberation2 qt6-wayland; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
    fail "the package does not depend on $needed: $depends"
done

step "Linting the package"
# The changes file names every package built, the debug symbols' too, and the build information.
lintian --fail-on error,warning --info "$scratch"/*.changes >"$artifacts/lintian.log" 2>&1 ||
  fail "lintian found faults: $(cat "$artifacts/lintian.log")"

step "Installing the package"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  -o DPkg::Lock::Timeout=900 "$deb" >"$artifacts/apt.log" 2>&1 ||
  fail "apt-get could not install the package; see $artifacts/apt.log"
installed=true
[[ "$(package_status)" == installed ]] || fail "$package is $(package_status) after installing"
mapfile -t files < <(dpkg -L "$package" | while read -r path; do [[ ! -f "$path" ]] || echo "$path"; done)

step "Checking the installed files"
"$here/check_installed_files.sh" "$source_dir" "$app_id" "${files[@]}"
"$here/../build/program_checks.sh" runpath "/usr/bin/$package"
"$here/../build/program_checks.sh" hardening "/usr/bin/$package"

step "Testing the installed package (autopkgtest)"
autopkgtest --no-built-binaries --output-dir "$artifacts/autopkgtest" "$scratch/source" -- null \
  >"$artifacts/autopkgtest.log" 2>&1 ||
  fail "autopkgtest failed; see $artifacts/autopkgtest.log"

step "Removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q -o DPkg::Lock::Timeout=900 "$package" \
  >>"$artifacts/apt.log" 2>&1 || fail "apt-get could not remove the package; see $artifacts/apt.log"
installed=false
[[ "$(package_status)" == not-installed ]] || fail "$package is $(package_status) after removal"
for path in "${files[@]}" /usr/share/doc/$package; do
  [[ ! -e "$path" ]] || fail "$path is still there after removal"
done
step "Done"
