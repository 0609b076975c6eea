#!/usr/bin/env bash
# Measures the real program on a private X server with openbox and prints a table: start-up
# time against a bare Qt window (interleaved, one start of each in turn, without and then with a
# session bus of the session's own), key press to repaint against the bare window at device pixel
# ratios 1, 2 and 3, resident memory, CPU while idle, and whether a burst of keys at 200 a second
# leaves a backlog.
#   bench/desktop_benchmark.sh [BUILD_DIR]   (default build/dev; build the bench targets first)
# FLURB_BENCH_PROGRAM measures another build of the program beside the same bare window.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/dev}" && pwd)
program=${FLURB_BENCH_PROGRAM:-$build/app/flurb-cards}
bare="$build/bench/bare_window"
key_latency="$build/bench/key_latency"
runs=${FLURB_BENCH_STARTS:-15}
key_presses=${FLURB_BENCH_KEYS:-100}

# shellcheck source=tests/harness/xsession.sh
source "$root/tests/harness/xsession.sh"
# Room for the window at a device pixel ratio of 3 (read by xs_start_session).
# shellcheck disable=SC2034
XS_SCREEN_WIDTH=2560 XS_SCREEN_HEIGHT=1600
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

# The median and the slowest of a list of milliseconds: "median max".
median_and_max() {
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[NR] }'
}

# Starts the bare window and the program in turn, `runs` times; sets bare_start and flurb_start to
# "median max".
interleaved_starts() {
  local i
  : >"$XS_ARTIFACTS/bare-starts" && : >"$XS_ARTIFACTS/flurb-starts"
  for ((i = 0; i < runs; i++)); do
    xs_launch "$bare"
    echo "$XS_STARTUP_MS" >>"$XS_ARTIFACTS/bare-starts"
    xs_close_with_alt_f4
    xs_launch "$program"
    echo "$XS_STARTUP_MS" >>"$XS_ARTIFACTS/flurb-starts"
    xs_close_with_alt_f4
  done
  bare_start=$(median_and_max <"$XS_ARTIFACTS/bare-starts")
  flurb_start=$(median_and_max <"$XS_ARTIFACTS/flurb-starts")
}

unset DBUS_SESSION_BUS_ADDRESS
interleaved_starts
bare_start_alone=$bare_start flurb_start_alone=$flurb_start

# Every letter and main-row digit key, the keys a child mashes.
every_key=(a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3 4 5 6 7 8 9)

# Key press to repaint, "median p99" in milliseconds, of the window as it stands: the given keys
# in turn, or key_latency's own few.
key_to_repaint() {
  xs_wait_until_quiet
  local figures
  figures=$("$key_latency" "$XS_WINDOW" "$key_presses" "$@")
  echo "${figures% *}"
}
xs_launch "$bare"
bare_keys=$(key_to_repaint)
xs_close_with_alt_f4
declare -A flurb_keys
for ratio in 1 2 3; do
  QT_SCALE_FACTOR=$ratio xs_launch "$program"
  flurb_keys[$ratio]=$(key_to_repaint)
  # A letter seldom comes again soon when every key does, so each pays for its picture.
  [[ $ratio -ne 1 ]] || flurb_every_key=$(key_to_repaint "${every_key[@]}")
  xs_close_with_alt_f4
done

# A session bus as every desktop has, outside the runtime directory so that only the address
# names it.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$XS_DIR/session-bus" \
  --print-address=3 3>"$XS_DIR/bus-address" 2>/dev/null &
bus_pid=$!
trap 'kill "$bus_pid" 2>/dev/null || true; xs_stop_session' EXIT
xs_wait_for "the session bus" test -s "$XS_DIR/bus-address"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$XS_DIR/bus-address")
export DBUS_SESSION_BUS_ADDRESS
interleaved_starts
# The bus's part ends here: memory, idle CPU and the burst of keys are the window's own.
kill "$bus_pid"
wait "$bus_pid" || true
unset DBUS_SESSION_BUS_ADDRESS

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
  echo "${every_key[RANDOM % ${#every_key[@]}]}"
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

# The row of the table for "median max" of the bare window and of the program.
start_row() {
  local what=$1 bare_median bare_max flurb_median flurb_max
  read -r bare_median bare_max <<<"$2"
  read -r flurb_median flurb_max <<<"$3"
  printf '| start-up %s: bare Qt window / flurb-cards, median (slowest) of %d | %d (%d) / %d (%d) ms | <= %d ms (1.2x), none over %d ms (2x) |\n' \
    "$what" "$runs" "$bare_median" "$bare_max" "$flurb_median" "$flurb_max" \
    $((bare_median * 12 / 10)) $((bare_median * 2))
}

# The row of the table for "median p99" of key press to repaint.
key_row() {
  local what=$1 median p99
  read -r median p99 <<<"$2"
  printf '| key press to repaint, %s, median (p99) of %d | %s (%s) ms | %s |\n' "$what" "$key_presses" \
    "$median" "$p99" "$3"
}

printf '\n| measure | value | target |\n|---|---|---|\n'
start_row "without a session bus" "$bare_start_alone" "$flurb_start_alone"
start_row "with a session bus" "$bare_start" "$flurb_start"
key_row "bare Qt window" "$bare_keys" ""
key_row "flurb-cards at ratio 1" "${flurb_keys[1]}" "1.3x the bare window's"
key_row "flurb-cards at ratio 1, every key in turn" "$flurb_every_key" "1.3x the bare window's"
key_row "flurb-cards at ratio 2" "${flurb_keys[2]}" "well under a frame (16.7 ms)"
key_row "flurb-cards at ratio 3" "${flurb_keys[3]}" "well under a frame (16.7 ms)"
printf '| resident memory, bare Qt window | %d KiB | |\n' "$bare_rss"
printf '| resident memory after start | %d KiB | <= 40960 KiB |\n' "$start_rss"
printf '| resident memory after 2000 keys (now / peak) | %d / %d KiB | <= 40960 KiB |\n' \
  "$end_rss" "$peak_rss"
printf '| CPU used in 5 s idle | %d ms | 0 |\n' "$idle_cpu"
printf '| 2000 keys sent in | %d ms | |\n' "$send_ms"
printf '| CPU used in the second after the last key (backlog) | %d ms | ~0 |\n' "$backlog_cpu"
printf '| exit status after Alt+F4 | %d | 0 |\n' "$XS_EXIT_STATUS"
