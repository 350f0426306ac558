#!/usr/bin/env bash
# Builds the libFuzzer harnesses in fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (core library only, no Qt, in build-fuzz/) and runs each for a fixed
# time. A crash, a leak, a sanitizer report or a hang ends the script with a failure.
#   scripts/fuzz.sh [SECONDS_PER_HARNESS]   (default 15: about a minute for the four)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"
build=build-fuzz
harnesses=(draw_csv settings_file snapshot grid_export)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPOMURAN_FUZZ=ON -DPOMURAN_GUI=OFF -DPOMURAN_TESTS=OFF -DPOMURAN_BENCH=OFF >/dev/null
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
cmake --build "$build" -j"$jobs" --target "${harnesses[@]/%/_fuzzer}"
# Any pomuran-cli makes the seed databases: one built already, else the fuzz build's own.
cli=""
for candidate in build/bin/pomuran-cli build-sanitize/bin/pomuran-cli; do
  [ -x "$candidate" ] && { cli="$candidate"; break; }
done
if [ -z "$cli" ]; then
  cmake --build "$build" -j"$jobs" --target pomuran-cli
  cli="$build/bin/pomuran-cli"
fi

# Working corpora: the committed seeds, and for the snapshot reader draw databases made from the
# seed histories (with a truncated and an empty file beside them).
work="$build/corpus"
rm -rf "$work"
for h in "${harnesses[@]}"; do
  mkdir -p "$work/$h"
  [ -d "fuzz/corpus/$h" ] && cp fuzz/corpus/"$h"/* "$work/$h/"
done
for csv in fuzz/corpus/draw_csv/*.csv; do
  db="$work/snapshot/$(basename "$csv" .csv).mdb"
  if ASAN_OPTIONS=detect_leaks=0 "$cli" import "$csv" --db "$db" >/dev/null 2>&1
  then
    head -c "$(( $(stat -c %s "$db") / 2 ))" "$db" >"$db.half"
  fi
done
: >"$work/snapshot/empty.mdb"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for h in "${harnesses[@]}"; do
  echo "== fuzzing $h for ${seconds}s"
  mkdir -p "$build/artifacts/$h"
  log="$build/artifacts/$h.log"
  if ! "$build/bin/${h}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts/$h/" \
      "$work/$h" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $h failed; the input is in $build/artifacts/$h/" >&2
    exit 1
  fi
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)" "$log" || true
done
echo "fuzz: every harness ran ${seconds}s without a finding"
