#!/usr/bin/env bash
# With no desktop to show its window on, the program says so in a sentence on standard error and
# exits with status 1: no core dump, no hang.
set -euo pipefail
program=$1
status=0
output=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$program" 2>&1) ||
  status=$?
echo "$output"
if [[ $status -ne 1 ]]; then
  echo "FAIL: exit status $status, expected 1" >&2
  exit 1
fi
grep -q '^Flurb Cards cannot run: ' <<<"$output" || {
  echo "FAIL: no sentence saying the program cannot run" >&2
  exit 1
}
echo "ok: exit status 1 with a one-sentence reason"
