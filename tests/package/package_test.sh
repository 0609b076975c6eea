#!/usr/bin/env bash
# Builds the Debian package, lints it, installs it on this machine with apt-get, checks every file
# it installed, starts the installed program and closes it, then removes the package and checks
# that it left nothing behind.
#
#   package_test.sh BUILD_DIR SOURCE_DIR APP_ID ARTIFACT_DIR
#
# Skipped (status 77) when not run as root, and when flurb-cards is already installed here: the
# removal at the end would take away what someone installed on purpose.
set -euo pipefail

readonly package=flurb-cards
readonly build_dir=$1 source_dir=$2 app_id=$3 artifacts=$4
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

[[ "$(id -u)" -eq 0 ]] || skip "installing a package needs root"
[[ "$(package_status)" == not-installed ]] ||
  skip "$package is already installed on this machine ($(package_status))"

rm -rf -- "$artifacts"
mkdir -p -- "$artifacts"
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
cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch" >"$artifacts/cpack.log" 2>&1 ||
  fail "cpack failed; see $artifacts/cpack.log"
debs=("$scratch"/*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
readonly deb=${debs[0]}
[[ "$(dpkg-deb -f "$deb" Package)" == "$package" ]] || fail "the package is not named $package"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 fonts-urw-base35 fonts-liberation2 qt6-wayland; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
    fail "the package does not depend on $needed: $depends"
done

step "Linting the package"
lintian --fail-on error,warning --info "$deb" >"$artifacts/lintian.log" 2>&1 ||
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

step "Starting the installed program"
"$here/run_installed_program.sh" "$source_dir" "$artifacts"

step "Removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -q -o DPkg::Lock::Timeout=900 "$package" \
  >>"$artifacts/apt.log" 2>&1 || fail "apt-get could not remove the package; see $artifacts/apt.log"
installed=false
[[ "$(package_status)" == not-installed ]] || fail "$package is $(package_status) after removal"
for path in "${files[@]}" /usr/share/doc/$package; do
  [[ ! -e "$path" ]] || fail "$path is still there after removal"
done
step "Done"
