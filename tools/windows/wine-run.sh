#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, making the prefix first if it is not
# there yet (about 5 to 10 s, once per build folder). CTest's emulator for the Windows build.
#
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
#
# Wine's own messages stay quiet; the program's output and exit status are Wine's.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko: the prefix is made without asking to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [[ ! -f "$prefix/system.reg" ]]; then
  mkdir -p -- "$(dirname -- "$prefix")"
  # Tests run in parallel: the first makes the prefix, the others wait for it.
  exec 9>"$prefix.lock"
  flock 9
  if [[ ! -f "$prefix/system.reg" ]]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  flock -u 9
fi
exec wine "$@"
