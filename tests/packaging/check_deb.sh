#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks it as Debian and a bench
# engineer would: lintian with no error and no warning, every file at its path, the udev rule for
# both ID pairs, dependencies covering the libraries the program loads; then the package unpacked
# into a scratch root, its program run headless and its Python package and examples talking to it.
# Usage: check_deb.sh BUILD_DIR WORK_DIR METAINFO UDEV_DIR RULE_NAME USB_ID FIRMWARE_USB_ID PYTHON_DIR
set -euo pipefail
build=$1 work=$2 metainfo=$3 udevdir=$4 rule=$5 usb_id=$6 firmware_id=$7 pydir=$8
here=$(cd "$(dirname "$0")" && pwd)
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

# Errors and warnings fail; a tag may be overridden only with its reason in an override file.
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian reports errors or warnings"; fi

dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for path in ./usr/bin/dac-eval ./usr/share/applications/dac-eval.desktop \
  ./usr/share/icons/hicolor/64x64/apps/dac-eval.png "./usr/share/metainfo/$metainfo" \
  "./usr/$udevdir/rules.d/$rule" ./usr/share/doc/dac-eval/copyright \
  ./usr/share/doc/dac-eval/changelog.gz ./usr/share/man/man1/dac-eval.1.gz \
  ./usr/share/doc/dac-eval/examples/sweep.py ./usr/share/doc/dac-eval/examples/setup_roundtrip.py \
  ./usr/share/doc/dac-eval/examples/sequence.py \
  "./usr/$pydir/dac_eval/__init__.py" "./usr/$pydir/dac_eval/instrument.py"; do
  grep -qxF "$path" "$work/contents" || fail "$path is not in the package"
done

dpkg-deb -x "$deb" "$work/root"
root=$work/root
rule_file="$root/usr/$udevdir/rules.d/$rule"
for id in "$usb_id" "$firmware_id"; do
  vendor=$(printf '%04x' "0x${id%%:*}") product=$(printf '%04x' "0x${id##*:}")
  grep -q "ATTR{idVendor}==\"$vendor\", ATTR{idProduct}==\"$product\", TAG+=\"uaccess\"" \
    "$rule_file" 2>/dev/null || fail "the udev rule has no uaccess line for $vendor:$product"
  alias="usb:v${vendor^^}p${product^^}d*"
  grep -qF "<modalias>$alias</modalias>" "$root/usr/share/metainfo/$metainfo" ||
    fail "the metainfo does not provide $alias"
done
manual=$(zcat "$root/usr/share/man/man1/dac-eval.1.gz")
for option in headless firmware; do
  grep -qF -- "\-\-$option" <<<"$manual" || fail "the manual page does not list --$option"
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
done < <(ldd "$root/usr/bin/dac-eval" | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}' |
  grep -Ff <(objdump -p "$root/usr/bin/dac-eval" | awk '/NEEDED/ {print $2 " "}'))

# The installed program headless, the installed Python package and examples talking to it.
if ! /usr/bin/python3 "$here/run_installed.py" "$root" "$pydir" >"$work/installed.log" 2>&1; then
  cat "$work/installed.log"
  fail "the installed program and Python package do not work together"
else
  cat "$work/installed.log"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package checks passed"
