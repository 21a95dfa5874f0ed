#!/usr/bin/env bash
# Builds the fuzz targets (clang: libFuzzer, AddressSanitizer, UBSan) in their own build
# folder and runs each for SECONDS (default 60), two at a time. New inputs that reach new
# code go to BUILD/corpus/<target> (the seeds in fuzz/corpus/<target> are only read);
# a crash, a hang over 1 s, a leak or a sanitizer report is kept in BUILD/findings/<target>
# and makes the run fail. Prints each target's executions and coverage.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${ORVANE_FUZZ_BUILD_DIR:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel "$(nproc)"

targets=()
for src in fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$src" .cpp)")
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

run_one() {
  local t=$1
  local corpus="$build/corpus/$t" findings="$build/findings/$t" seeds="fuzz/corpus/$t"
  mkdir -p "$corpus" "$findings" "$seeds"
  local status=0
  "$build/fuzz/$t" -max_total_time="$seconds" -timeout=1 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$seeds" >"$build/$t.log" 2>&1 || status=$?
  echo "$status" >"$build/$t.status"
}

for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
  run_one "$t" &
done
wait || true

failed=0
printf '%-20s %12s %8s %8s %8s  %s\n' target executions cov ft corpus result
for t in "${targets[@]}"; do
  log="$build/$t.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corp=$(sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' <<<"$last")
  status=$(cat "$build/$t.status")
  result=ok
  if [ "$status" != 0 ]; then
    result="FOUND (exit $status): see $log and $build/findings/$t/"
    failed=1
  fi
  printf '%-20s %12s %8s %8s %8s  %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$result"
done
exit $failed
