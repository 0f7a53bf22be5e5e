#!/usr/bin/env bash
# The Python package installs as any other: pip, offline, into a virtual environment that sees
# Debian's packages (pymeasure, pyvisa-py), without build isolation; then it imports from there.
# Usage: check_pip_install.sh PYTHON PACKAGE_SOURCE WORK_DIR
set -euo pipefail
python=$1 source=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
cp -r "$source" "$work/source" # the build leaves its files beside the sources
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --no-build-isolation --no-index --quiet "$work/source"
cd "$work"
where=$("$work/venv/bin/python" -c 'import dac_eval, sys; print(dac_eval.__file__); print(dac_eval.DacEval.__mro__[1].__module__)')
echo "$where"
case "$(head -1 <<<"$where")" in
  "$work/venv/"*) ;;
  *) echo "FAIL: dac_eval imported from outside the environment"; exit 1 ;;
esac
grep -qx 'pymeasure.instruments.instrument' <<<"$(tail -1 <<<"$where")" ||
  { echo "FAIL: DacEval is not a PyMeasure Instrument"; exit 1; }
shown=$("$work/venv/bin/python" -m pip show dac-eval)
grep -qx 'Version: 1.6' <<<"$shown" ||
  { echo "FAIL: pip does not list dac-eval 1.06 (1.6 as PEP 440 writes it)"; exit 1; }
echo "pip install checks passed"
