#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build (<build-dir>/tests/fuzz/fuzz_*) for a short,
# bounded time, starting from its seed corpus in tests/fuzz/corpus/<target>/, which it leaves
# untouched. Fails when a target finds a crash, and says where the crashing input was saved.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build_dir=${1:?usage: run-fuzzers.sh <fuzz build directory>}
total_seconds=${FLURB_FUZZ_SECONDS:-30}

mapfile -t fuzzers < <(find "$build_dir/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x |
  sort)
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "no fuzz targets in $build_dir/tests/fuzz" >&2
  exit 1
fi
seconds_each=$((total_seconds / ${#fuzzers[@]}))
[ "$seconds_each" -ge 1 ] || seconds_each=1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts=$build_dir/fuzz-artifacts
mkdir -p "$artifacts"

for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  seeds=tests/fuzz/corpus/$name
  if [ ! -d "$seeds" ]; then
    echo "$name has no seed corpus in $seeds" >&2
    exit 1
  fi
  corpus=$scratch/$name
  cp -r "$seeds" "$corpus"
  echo "== $name for ${seconds_each}s"
  if ! "$fuzzer" -max_total_time="$seconds_each" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$corpus" >"$scratch/$name.log" 2>&1; then
    tail -n 60 "$scratch/$name.log" >&2
    echo "$name found a failure; the input is in $artifacts/" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$scratch/$name.log" || true
done
echo "fuzzing: ${#fuzzers[@]} targets ran without a failure"
