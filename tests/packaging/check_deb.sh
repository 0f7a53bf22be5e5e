#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what it holds: every
# file at its path, the udev rule for both ID pairs, and dependencies covering the libraries
# the program loads (Qt among them).
# Usage: check_deb.sh BUILD_DIR WORK_DIR METAINFO UDEV_DIR RULE_NAME USB_ID FIRMWARE_USB_ID
set -euo pipefail
build=$1 work=$2 metainfo=$3 udevdir=$4 rule=$5 usb_id=$6 firmware_id=$7
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
debs=("$work"/dac-eval_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single dac-eval_*.deb in $work"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for path in ./usr/bin/dac-eval ./usr/share/applications/dac-eval.desktop \
  ./usr/share/icons/hicolor/64x64/apps/dac-eval.png "./usr/share/metainfo/$metainfo" \
  ".$udevdir/rules.d/$rule"; do
  grep -qxF "$path" "$work/contents" || fail "$path is not in the package"
done

dpkg-deb -x "$deb" "$work/root"
rule_file="$work/root$udevdir/rules.d/$rule"
for id in "$usb_id" "$firmware_id"; do
  vendor=$(printf '%04x' "0x${id%%:*}") product=$(printf '%04x' "0x${id##*:}")
  grep -q "ATTR{idVendor}==\"$vendor\", ATTR{idProduct}==\"$product\", TAG+=\"uaccess\"" \
    "$rule_file" 2>/dev/null || fail "the udev rule has no uaccess line for $vendor:$product"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks Qt's widgets library"
# Every library the program is linked with comes from a package that Depends names.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g' | sort -u)
while read -r library path; do
  owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")" 2>/dev/null) || true
  owner=${owner%%:*}
  [ -n "$owner" ] || { fail "no package owns $path ($library)"; continue; }
  grep -qxF "$owner" <<<"$names" || fail "Depends lacks $owner (for $library)"
done < <(ldd "$work/root/usr/bin/dac-eval" | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}' |
  grep -Ff <(objdump -p "$work/root/usr/bin/dac-eval" | awk '/NEEDED/ {print $2 " "}'))

[ "$failures" -eq 0 ] || exit 1
echo "package checks passed"
