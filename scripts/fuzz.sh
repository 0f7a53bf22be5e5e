#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with Clang in build/fuzz and runs each one in turn for
# SECONDS seconds (or RUNS inputs, whichever comes first) on a copy of its seed corpus, so the
# repository is not written. Prints each target's executed-input count and speed; a target that
# finds a fault leaves its input in build/fuzz/run/<target>/artifacts and fails the script.
# Usage: scripts/fuzz.sh SECONDS [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [RUNS]}
runs=${2:--1}
source "$root/scripts/packages.sh"
"$root/scripts/deps.sh" "${FUZZ_PACKAGES[@]}"

build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDAC_EVAL_FUZZ=ON -DDAC_EVAL_BUILD_UI=OFF \
  -DDAC_EVAL_BUILD_TESTS=OFF
cmake --build "$build" -j 2

# The final statistic `name` of a libFuzzer log.
stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -n 1; }

passed=0
failed=0
for seeds in "$root"/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work="$build/run/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$seeds"* "$work/corpus/"
  verdict=ok
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    verdict=FAILED
    tail -n 40 "$work/log"
  fi
  printf '%-20s %s  executed %12s inputs  %9s exec/s  corpus %s\n' "$target" "$verdict" \
    "$(stat number_of_executed_units "$work/log")" "$(stat average_exec_per_sec "$work/log")" \
    "$(find "$work/corpus" -type f | wc -l)"
  if [ "$verdict" = ok ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
