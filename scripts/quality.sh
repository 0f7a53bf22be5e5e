#!/usr/bin/env bash
# The quality checks, in order: the sanitized build and every test, a short run of every fuzz
# target, and the Windows build of the core with its tests under wine. Prints each stage's time.
# Usage: scripts/quality.sh [FUZZ_SECONDS]   (20 seconds per fuzz target unless given)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fuzz_seconds=${1:-20}
source "$root/scripts/packages.sh"

times=()
# Runs one stage and notes how long it took.
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "=== $name"
  "$@"
  times+=("$(printf '%-28s %4d s' "$name" $((SECONDS - start)))")
}

stage "packages" "$root/scripts/deps.sh" "${QUALITY_PACKAGES[@]}"
stage "sanitized build and tests" "$root/scripts/sanitize.sh"
stage "fuzzing (${fuzz_seconds} s per target)" "$root/scripts/fuzz.sh" "$fuzz_seconds"
stage "Windows build, tests in wine" "$root/scripts/windows.sh"

echo "=== stage times"
printf '%s\n' "${times[@]}"
