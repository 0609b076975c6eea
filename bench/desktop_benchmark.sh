#!/usr/bin/env bash
# Measures the real program on a private X server with openbox and prints a table: start-up
# time against a bare Qt window, resident memory, CPU while idle, and whether a burst of keys at
# 200 a second leaves a backlog.
#   bench/desktop_benchmark.sh [BUILD_DIR]   (default build/dev; build the bench targets first)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/dev}" && pwd)
program="$build/app/flurb-cards"
bare="$build/bench/bare_window"
runs=15

# shellcheck source=tests/harness/xsession.sh
source "$root/tests/harness/xsession.sh"
xs_start_session "$build/bench-artifacts"

# CPU time (user + system) of a process, in milliseconds.
cpu_ms() {
  local fields
  read -r -a fields <"/proc/$1/stat"
  echo $(((fields[13] + fields[14]) * 1000 / $(getconf CLK_TCK)))
}

memory_kib() {
  awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

startup_ms() {
  local binary=$1 i
  for ((i = 0; i < runs; i++)); do
    xs_launch "$binary"
    echo "$XS_STARTUP_MS"
    xs_close_with_alt_f4
  done | median
}

bare_ms=$(startup_ms "$bare")
flurb_ms=$(startup_ms "$program")

xs_launch "$bare"
bare_rss=$(memory_kib "$XS_PROGRAM_PID" VmRSS)
xs_close_with_alt_f4

xs_launch "$program"
pid=$XS_PROGRAM_PID
start_rss=$(memory_kib "$pid" VmRSS)
idle_before=$(cpu_ms "$pid")
sleep 5
idle_cpu=$(($(cpu_ms "$pid") - idle_before))

# 2000 letter and digit keys at 5 ms apart: 200 a second.
mapfile -t keys < <(for ((i = 0; i < 2000; i++)); do
  printf '%s\n' a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3 4 5 6 7 8 9 |
    sed -n "$((RANDOM % 36 + 1))p"
done)
sent_at=$(xs_now_ms)
xs_key --delay 5 "${keys[@]}"
send_ms=$(($(xs_now_ms) - sent_at))
after_send=$(cpu_ms "$pid")
sleep 1
backlog_cpu=$(($(cpu_ms "$pid") - after_send))
peak_rss=$(memory_kib "$pid" VmHWM)
end_rss=$(memory_kib "$pid" VmRSS)
xs_close_with_alt_f4

printf '\n| measure | value | target |\n|---|---|---|\n'
printf '| start-up, bare Qt window (median of %d) | %d ms | |\n' "$runs" "$bare_ms"
printf '| start-up, flurb-cards (median of %d) | %d ms | <= %d ms (1.3x) |\n' "$runs" "$flurb_ms" \
  $((bare_ms * 13 / 10))
printf '| resident memory, bare Qt window | %d KiB | |\n' "$bare_rss"
printf '| resident memory after start | %d KiB | <= 40960 KiB |\n' "$start_rss"
printf '| resident memory after 2000 keys (now / peak) | %d / %d KiB | <= 40960 KiB |\n' \
  "$end_rss" "$peak_rss"
printf '| CPU used in 5 s idle | %d ms | 0 |\n' "$idle_cpu"
printf '| 2000 keys sent in | %d ms | |\n' "$send_ms"
printf '| CPU used in the second after the last key (backlog) | %d ms | ~0 |\n' "$backlog_cpu"
printf '| exit status after Alt+F4 | %d | 0 |\n' "$XS_EXIT_STATUS"
