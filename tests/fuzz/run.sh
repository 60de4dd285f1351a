#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for SECONDS each over its seed corpus.
#   tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET...]      e.g. tests/fuzz/run.sh build-fuzz 30
# New inputs go to BUILD_DIR/fuzz-corpus/TARGET (the seeds in tests/fuzz/corpus stay as they
# are); an input that breaks a target is kept as BUILD_DIR/fuzz-findings/TARGET-*. The status
# is 1 when any target found something. Extra libFuzzer flags come from FUZZ_FLAGS.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$1"
seconds="$2"
shift 2
targets=("$@")
((${#targets[@]})) || targets=(document_reader text_import paste macro_run legacy_converter answers)
mkdir -p "$build/fuzz-findings"
# Allocation failures reach the program as std::bad_alloc instead of ending the run.
export ASAN_OPTIONS="${ASAN_OPTIONS:-allocator_may_return_null=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=0
for t in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$t"
  mkdir -p "$corpus"
  log="$build/fuzz-findings/$t.log"
  dict=()
  [ -f "$here/$t.dict" ] && dict=(-dict="$here/$t.dict")
  # shellcheck disable=SC2086
  "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
    -max_len=16384 -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$t-" \
    "${dict[@]}" ${FUZZ_FLAGS:-} "$corpus" "$here/corpus/$t" >"$log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  if [ "$status" -eq 0 ]; then
    echo "fuzz_$t: ${runs:-?} executions, nothing found"
  else
    echo "fuzz_$t: FOUND a problem after ${runs:-?} executions (status $status); see $log"
    failed=1
  fi
done
exit "$failed"
