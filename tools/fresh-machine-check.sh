#!/usr/bin/env bash
# Tries the README's two commands as a new user would on a fresh Debian 12 machine: makes a clean
# Debian 12 root (mmdebstrap, minbase, from the Debian mirror this machine's apt uses), puts a
# clean clone of the repository at REF in it, and there, in the README's order, runs the run
# command on a private Xvfb until its card stands (a screenshot is kept), then the test command
# in full. Prints the time each took. Needs root and the mirror; not part of CI.
#
#   tools/fresh-machine-check.sh [REF [WORK_DIR]]
#
# REF defaults to HEAD. WORK_DIR (default: a new folder under /var/tmp) keeps the logs and the
# screenshot; the root inside it is removed at the end unless FLURB_KEEP_ROOT=1.
set -euo pipefail

repository=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly repository
readonly ref=${1:-HEAD}
readonly suite=bookworm
readonly clone_in_root=/root/flurb-cards
# The run command's build on a fresh machine takes minutes; only a hang takes this long.
readonly WINDOW_PATIENCE_SECONDS=3600
runner="" xvfb=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

step() {
  echo "== $* ($(date -u +%H:%M:%S) UTC)"
}

[[ "$(id -u)" -eq 0 ]] || fail "making a Debian root and entering it needs root"
commit=$(git -C "$repository" rev-parse --verify "$ref^{commit}") || fail "no commit $ref"
readonly commit

work_dir=${2:-$(mktemp -d /var/tmp/flurb-fresh-machine.XXXXXX)}
mkdir -p -- "$work_dir"
work_dir=$(cd "$work_dir" && pwd)
readonly work_dir root=$work_dir/root
[[ ! -e "$root" ]] || fail "$root is already there"

# The Debian archive entries of this machine's apt, for the suite, as one-line sources.
debian_sources() {
  apt-cache policy | awk -v suite="$suite" '
    $1 ~ /^[0-9]+$/ && $2 ~ /:\/\// && $NF == "Packages" { uri = $2; split($3, where, "/"); next }
    uri != "" && $1 == "release" {
      if ($2 ~ /(^|,)o=Debian(,|$)/ && where[1] ~ "^" suite "(-|$)") {
        print "deb " uri " " where[1] " " where[2]
      }
    }
    { uri = "" }' | sort -u
}

# (run_in_root COMMAND...): COMMAND inside the root, in namespaces of its own, with a clean
# environment like a fresh login's. Called in a subshell, which it turns into unshare: ending
# that process ends everything COMMAND started.
run_in_root() {
  # shellcheck disable=SC2016 # the inner shell expands these
  exec unshare --mount --pid --ipc --uts --fork --kill-child --propagation private -- bash -c '
    set -euo pipefail
    root=$1
    shift
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    mount -t proc proc "$root/proc"
    mount -t sysfs sys "$root/sys"
    exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
  ' run_in_root "$root" "$@"
}

# A private X server on this machine stands for the new user's desktop, where nothing for X is
# installed until the run command installs it. The root shares this machine's network, so the
# program reaches the server by its abstract socket.
start_x_server() {
  local display_file=$work_dir/display
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" \
    >"$work_dir/xvfb.log" 2>&1 &
  xvfb=$!
  until grep -qx '[0-9]\+' "$display_file" 2>/dev/null; do
    kill -0 "$xvfb" 2>/dev/null || fail "Xvfb ended; see $work_dir/xvfb.log"
    sleep 0.1
  done
  DISPLAY=":$(cat "$display_file")"
  export DISPLAY
}

# Waits until the run command's window stands with its card drawn, and keeps a screenshot of it.
wait_for_card() {
  local runner=$1 shot=$2 deadline=$((SECONDS + WINDOW_PATIENCE_SECONDS))
  until xdotool search --onlyvisible --name "^Quimo's Flurb Cards\$" >/dev/null 2>&1 &&
    import -window root "$shot" && (($(identify -format '%k' "$shot") > 16)); do
    # A window is mapped before its card is drawn; the card brings many colours.
    kill -0 "$runner" 2>/dev/null || fail "the run command ended before its card showed"
    ((SECONDS < deadline)) || fail "no card after $WINDOW_PATIENCE_SECONDS s"
    sleep 0.2
  done
}

step "Debian $suite root from the mirror this machine uses"
if ! command -v mmdebstrap >/dev/null || ! command -v Xvfb >/dev/null ||
  ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
  apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends mmdebstrap xvfb \
    xdotool imagemagick
fi
mapfile -t sources < <(debian_sources)
[[ ${#sources[@]} -gt 0 ]] || fail "this machine's apt has no Debian $suite archive"
printf '   %s\n' "${sources[@]}"
mmdebstrap --variant=minbase "$suite" "$root" "${sources[@]}" >"$work_dir/mmdebstrap.log" 2>&1 ||
  fail "mmdebstrap failed; see $work_dir/mmdebstrap.log"
cleanup() {
  local pid
  for pid in "$runner" "$xvfb"; do
    [[ -z "$pid" ]] || kill "$pid" 2>/dev/null || true
  done
  if [[ "${FLURB_KEEP_ROOT:-0}" != 1 ]]; then
    rm -rf --one-file-system -- "$root"
  fi
}
trap cleanup EXIT
cp /etc/resolv.conf "$root/etc/resolv.conf"

step "Clean clone of $ref ($commit)"
git clone --quiet --no-local --no-checkout "$repository" "$root$clone_in_root"
git -C "$root$clone_in_root" checkout --quiet --detach "$commit"

step "Run command: bash tools/run.sh, on a private Xvfb"
start_x_server
started=$SECONDS
(run_in_root env DISPLAY="$DISPLAY" bash -c "cd $clone_in_root && bash tools/run.sh") \
  >"$work_dir/run-command.log" 2>&1 &
runner=$!
wait_for_card "$runner" "$work_dir/run-command.png"
run_seconds=$((SECONDS - started))
kill "$runner" "$xvfb"
wait "$runner" "$xvfb" 2>/dev/null || true
runner="" xvfb=""
echo "   card up after $run_seconds s; screenshot: $work_dir/run-command.png"

step "Test command: bash tools/check.sh"
started=$SECONDS
status=0
(run_in_root bash -c "cd $clone_in_root && bash tools/check.sh") >"$work_dir/check.log" 2>&1 ||
  status=$?
check_seconds=$((SECONDS - started))
for build in dev asan; do
  cp -r "$root$clone_in_root/build/$build/e2e-artifacts" "$work_dir/e2e-artifacts-$build" 2>/dev/null ||
    true
done
if ((status != 0)); then
  tail -n 60 "$work_dir/check.log" >&2
  fail "the test command failed (status $status) after $check_seconds s; see $work_dir/check.log"
fi
tail -n 3 "$work_dir/check.log"

step "Passed: run command $run_seconds s, test command $check_seconds s; logs in $work_dir"
