#!/usr/bin/env bash
# `cmake --install` into a folder of the user's: every file goes under the prefix (the udev rule
# too), so that a normal user can install without root.
# Usage: check_install.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
failures=0
while read -r file; do
  case "$file" in "$prefix"/*) ;; *) echo "FAIL: installed outside the prefix: $file"; failures=$((failures + 1)) ;; esac
done <"$build/install_manifest.txt"
for path in bin/dac-eval lib/udev/rules.d/60-dac-eval.rules lib/python3/dist-packages/dac_eval/__init__.py \
  share/doc/dac-eval/examples/sweep.py share/man/man1/dac-eval.1.gz; do
  [ -f "$prefix/$path" ] || { echo "FAIL: $path is not under the prefix"; failures=$((failures + 1)); }
done
[ "$failures" -eq 0 ] || exit 1
echo "$(wc -l <"$build/install_manifest.txt") files, all under the prefix"
