#!/usr/bin/env bash
# Checks a built program file the way a distribution would before shipping it.
#
#   program_checks.sh runpath PROGRAM     no empty or relative library search path (RUNPATH or
#                                         RPATH): such an entry searches the current directory
#   program_checks.sh hardening PROGRAM   Debian's hardening-check passes: stack protector, stack
#                                         clash protection, control-flow protection, fortified
#                                         calls, PIE, read-only relocations, immediate binding
#   program_checks.sh cf-protection OBJECT...
#                                         each object file is marked for control-flow protection
#   program_checks.sh self-test CXX       the runpath check tells good search paths from bad ones
#                                         in programs that CXX links
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The search-path entries of PROGRAM, one a line; an empty entry gives an empty line.
search_path_entries() {
  local dynamic line path
  dynamic=$(readelf -d "$1") || fail "readelf cannot read $1"
  while IFS= read -r line; do
    [[ "$line" =~ \((RUNPATH|RPATH)\).*\[(.*)\]$ ]] || continue
    path=${BASH_REMATCH[2]}
    # Splitting on ':' keeps a leading, inner or trailing empty entry.
    while [[ "$path" == *:* ]]; do
      printf '%s\n' "${path%%:*}"
      path=${path#*:}
    done
    printf '%s\n' "$path"
  done <<<"$dynamic"
}

check_runpath() {
  local program=$1 entry count=0
  [[ -f "$program" ]] || fail "$program does not exist"
  while IFS= read -r entry; do
    count=$((count + 1))
    # An absolute directory, or one relative to the program's own place.
    [[ "$entry" == /* || "$entry" == "\$ORIGIN" || "$entry" == "\$ORIGIN/"* ]] ||
      fail "$program searches for libraries in '${entry}', which depends on the current directory"
  done < <(search_path_entries "$program")
  echo "ok: $program has no empty or relative library search path ($count entries)"
}

# The linker marks a program for control-flow protection only when every object in it is marked,
# the C library's start files too; Debian 12's are not, so no program there is marked, its own
# included. hardening-check then leaves that item out, and the cf-protection check shows that
# the project's own code is built for it.
start_files_marked() {
  local start_file
  start_file=$(${CXX:-c++} -print-file-name=Scrt1.o) || fail "no C++ compiler to ask for Scrt1.o"
  [[ "$(readelf -n "$start_file")" == *"x86 feature: IBT, SHSTK"* ]]
}

check_hardening() {
  local program=$1 report
  local -a options=()
  [[ -f "$program" ]] || fail "$program does not exist"
  if ! start_files_marked; then
    options=(--nocfprotection)
    echo "note: the C library's start files are not marked for control-flow protection"
  fi
  report=$(hardening-check "${options[@]}" "$program" 2>&1) || fail "hardening-check: $report"
  echo "$report"
}

check_cf_protection() {
  local object
  for object in "$@"; do
    [[ "$(readelf -n "$object")" == *"x86 feature: IBT, SHSTK"* ]] ||
      fail "$object is not built for control-flow protection"
  done
  echo "ok: $# object files built for control-flow protection"
}

# Links a trivial program with each search path of a table and runs the check on it.
self_test() {
  local compiler=$1 case runpath verdict outcome
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/flurb-runpath.XXXXXX")
  trap 'rm -rf -- "$scratch"' EXIT
  echo 'int main() { return 0; }' >"$scratch/main.cpp"
  # linker search path | the check's verdict
  local -r cases=(
    "/usr/lib/flurb|pass"
    "\$ORIGIN/../lib|pass"
    "/usr/lib/flurb:\$ORIGIN|pass"
    "::|fail"
    ":/usr/lib/flurb|fail"
    "/usr/lib/flurb:|fail"
    "lib|fail"
    "/usr/lib/flurb:../lib|fail"
  )
  for case in "${cases[@]}"; do
    IFS='|' read -r runpath verdict <<<"$case"
    "$compiler" -o "$scratch/program" "$scratch/main.cpp" -Wl,--enable-new-dtags \
      "-Wl,-rpath,$runpath" || fail "$compiler cannot link with search path '$runpath'"
    # In a subshell: a failing check ends its shell.
    if (check_runpath "$scratch/program") >/dev/null 2>&1; then outcome=pass; else outcome=fail; fi
    [[ "$outcome" == "$verdict" ]] ||
      fail "search path '$runpath': the check says $outcome, expected $verdict"
    echo "ok: search path '$runpath': $verdict"
  done
}

case ${1:-} in
runpath) check_runpath "$2" ;;
hardening) check_hardening "$2" ;;
cf-protection)
  shift
  check_cf_protection "$@"
  ;;
self-test) self_test "$2" ;;
*) fail "usage: $0 runpath|hardening PROGRAM, $0 cf-protection OBJECT..., $0 self-test CXX" ;;
esac
