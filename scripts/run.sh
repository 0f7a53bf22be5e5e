#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
"$root/scripts/deps.sh" "${BUILD_PACKAGES[@]}"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DDAC_EVAL_BUILD_TESTS=OFF
cmake --build "$root/build/release" -j "$(nproc)"
exec "$root/build/release/app/dac-eval" "$@"
