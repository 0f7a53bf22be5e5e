#!/usr/bin/env bash
# The pictures of docs/screenshots/ are those scripts/screenshots.sh makes from the program as it
# is: the same files, each of the same size (a window that grew a menu, a pane or a control
# changes its picture's size). Run scripts/screenshots.sh to make them again.
# Usage: check_screenshots.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -euo pipefail
source=$1 build=$2 work=$3
rm -rf "$work"
"$source/scripts/screenshots.sh" "$build" "$work" >/dev/null
size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"; }
failures=0
made=$(cd "$work" && ls) committed=$(cd "$source/docs/screenshots" && ls)
[ "$made" = "$committed" ] || { echo "FAIL: pictures made: $made; in docs/screenshots: $committed"; failures=1; }
for picture in $made; do
  [ -f "$source/docs/screenshots/$picture" ] || continue
  now=$(size "$work/$picture") then=$(size "$source/docs/screenshots/$picture")
  [ "$now" = "$then" ] || { echo "FAIL: $picture is $now now, $then in docs/screenshots"; failures=1; }
done
[ "$failures" -eq 0 ] || { echo "run scripts/screenshots.sh to make them again"; exit 1; }
echo "$(wc -w <<<"$made") pictures as the program shows them"
