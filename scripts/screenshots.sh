#!/usr/bin/env bash
# Makes the pictures of docs/screenshots/ again from the program as it is: the main window of a
# ZR810 and of a ZR820 on the simulated board, every tab, the request log, the part chooser and
# the credits window. On the offscreen platform unless QT_QPA_PLATFORM says otherwise (a display
# gives the desktop's own style and fonts).
# Usage: scripts/screenshots.sh [BUILD_DIR [OUTPUT_DIR]]   (defaults: build/test, docs/screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
out=${2:-$root/docs/screenshots}
tool="$build/tools/dac-eval-screenshots"
if [ ! -x "$tool" ]; then
  cmake --build "$build" --target dac-eval-screenshots -j 2 >/dev/null
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The pictures are made with the fonts that the build's packages install (Liberation, and DejaVu
# for what it lacks) and no other, so that they come out the same on every machine: fonts such as
# URW's Nimbus Sans, which many desktops have, would otherwise lay the window out a few pixels
# taller.
cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$work/fontconfig</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d/10-hinting-slight.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/10-yes-antialias.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/11-lcdfilter-default.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/30-metric-aliases.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/45-latin.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/49-sansserif.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/60-latin.conf</include>
</fontconfig>
CONF
export FONTCONFIG_FILE="$work/fonts.conf"
# Catalogue rows: 0 ZR810 (with the part chooser and credits), 4 ZR820.
"$tool" 0 "$work/zr810" >/dev/null
"$tool" 4 "$work/zr820" >/dev/null
mkdir -p "$out"
cp "$work/zr810/zr810-main-dacs.png" "$out/main-window.png"
cp "$work/zr810/zr810-request-log.png" "$out/request-log.png"
cp "$work/zr810/frmpartselect.png" "$out/part-select.png"
cp "$work/zr810/created.png" "$out/credits-window.png"
for tab in offset-dacs signals output-voltages; do cp "$work/zr810/zr810-$tab.png" "$out/"; done
for tab in main-dacs offset-dacs signals output-voltages; do cp "$work/zr820/zr820-$tab.png" "$out/"; done
ls "$out"
