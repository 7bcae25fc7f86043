#!/usr/bin/env bash
# Runs every fuzz target for MINUTES minutes each, one after another, with the project's leak
# suppressions, and keeps what the runs grow:
#   tools/fuzz.sh MINUTES [TARGET...]        (default: every target; names without "fuzz_")
# Each target fuzzes its working corpus, build-fuzz/fuzz-corpus/TARGET (seeded from
# tests/fuzz/corpus/TARGET and kept from run to run). A finding (crash, leak, timeout, memory
# blow-up) is saved in build-fuzz/fuzz-findings/TARGET/ and the run goes on; afterwards the
# inputs that reach code the committed corpus does not are merged into tests/fuzz/corpus/TARGET
# (libFuzzer's -merge=1), ready to be committed. One line per target reports its executions and
# findings. Run it niced on a shared machine: nice -n 19 tools/fuzz.sh 10
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: tools/fuzz.sh MINUTES [TARGET...]" >&2
  exit 2
fi
minutes="$1"
shift
# Absolute paths: a target may change its working folder (the batch player does), and
# libFuzzer's fork mode resolves the corpus folder again in its children.
build="$PWD/build-fuzz"
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DFCW_FUZZ=ON "${launcher[@]}"
fi
cmake --build "$build" --target fcw_fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in tests/fuzz/corpus/*/; do
    targets+=("$(basename "$seeds")")
  done
fi
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan_import_library.supp"
summary=()
for t in "${targets[@]}"; do
  binary="$build/tests/fuzz/fuzz_$t"
  seeds="$PWD/tests/fuzz/corpus/$t"
  work="$build/fuzz-corpus/$t"
  findings="$build/fuzz-findings/$t"
  log="$build/fuzz-logs/$t.log"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  before=$(find "$findings" -type f | wc -l)
  start=$(date +%s)
  # Fork mode runs the inputs in a child libFuzzer, so a finding is saved and the run goes on
  # (the import library's heap damage would otherwise end it at the first one).
  "$binary" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
            -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=4096 \
            -artifact_prefix="$findings/" "$work" >"$log" 2>&1 || true
  seconds=$(( $(date +%s) - start ))
  # A run that never started (a missing binary, say) has no count: 0, and on to the next.
  execs=$({ grep -oE '^#[0-9]+' "$log" || true; } | tail -1 | tr -d '#')
  found=$(( $(find "$findings" -type f | wc -l) - before ))
  added_before=$(ls "$seeds" | wc -l)
  "$binary" -merge=1 -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$findings/" "$seeds" "$work" \
            >>"$log" 2>&1 || true
  added=$(( $(ls "$seeds" | wc -l) - added_before ))
  summary+=("$t: ${seconds}s, ${execs:-0} executions, $found new findings, $added corpus entries added")
  echo "${summary[-1]}"
done
printf '%s\n' "${summary[@]}" >"$build/fuzz-logs/summary.txt"
