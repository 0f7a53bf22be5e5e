#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all: the SCPI engine's, the window's on the
# offscreen platform with the simulated board, the native USB link's against the emulated USB
# board, remote control's with Python clients against the program headless, and the Python
# class's checked settings. Prints one line per benchmark: figure | target | verdict (details go
# to standard error).
# Timings depend on the machine's load: run it on a quiet machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
"$root/scripts/deps.sh" "${TEST_PACKAGES[@]}"
build="$root/build/bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDAC_EVAL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target benchmarks -j 2 >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in bench_scpi_line bench_register_write bench_voltages_tab bench_startup bench_remote \
  bench_usb bench_verify bench_sequence; do
  "$build/bench/$bench"
done
# Remote control from real clients: pyvisa-py's checked settings, and hostile raw-socket clients;
# then the Python class beside raw pyvisa-py in the same run.
export PYTHONWARNINGS=ignore::DeprecationWarning
/usr/bin/python3 "$root/bench/bench_pyvisa_pairs.py" "$build/app/dac-eval"
/usr/bin/python3 "$root/bench/bench_hostile_clients.py" "$build/app/dac-eval"
/usr/bin/python3 "$root/bench/bench_python_settings.py" "$build/app/dac-eval"
