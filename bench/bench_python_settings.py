#!/usr/bin/python3
"""Checked settings per second through the Python class dac_eval, beside raw pyvisa to the same
program in the same run, with Debian's pyvisa-py as the client.

    bench_python_settings.py DAC_EVAL_BINARY [SETTINGS] [ROUNDS]

Three ways of writing DAC0:X1A, each timed over SETTINGS writes, ROUNDS times, in turn:
- raw pyvisa writes without any check, then one *OPC? (the most a client can send);
- raw pyvisa write + SYST:ERR? query pairs, two writes per setting (what a script written the
  plain way does, and what the class did before);
- the class: `channel.x1a = code`, the setting and its error check in one write.
Prints "<figure> | target <target> | MET or MISSED" for the class; details go to standard error.
"""

import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))
import pyvisa  # noqa: E402

from dac_eval import DacEval  # noqa: E402

TARGET = 2000.0  # checked settings per second on loopback


def start(binary):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    program = subprocess.Popen([binary, "--headless", "--model", "ZR810", "--remote=0"],
                               stdout=subprocess.PIPE, text=True, env=env)
    port = re.search(r":(\d+)$", program.stdout.readline().strip()).group(1)
    return program, f"TCPIP::127.0.0.1::{port}::SOCKET"


def raw_writes(instrument, n):
    for i in range(n):
        instrument.write(f"DAC0:X1A {i % 65536}")
    assert instrument.query("*OPC?").strip() == "1"


def raw_pairs(instrument, n):
    for i in range(n):
        instrument.write(f"DAC0:X1A {i % 65536}")
        assert instrument.query("SYST:ERR?").startswith("0,")


def class_settings(board, n):
    channel = board.channels[0]
    for i in range(n):
        channel.x1a = i % 65536


def rate(run, n):
    started = time.perf_counter()
    run(n)
    return n / (time.perf_counter() - started)


def main():
    binary = sys.argv[1]
    settings = int(sys.argv[2]) if len(sys.argv) > 2 else 4000
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    program, resource = start(binary)
    try:
        instrument = pyvisa.ResourceManager("@py").open_resource(
            resource, read_termination="\n", write_termination="\n", timeout=10000)
        board = DacEval(resource)
        # The pairs are slow where the server delays its acknowledgements: fewer of them.
        pairs = max(20, settings // 20)
        samples = {"raw writes": [], "raw write+SYST:ERR? pairs": [], "class": []}
        for _ in range(rounds):
            samples["raw writes"].append(rate(lambda n: raw_writes(instrument, n), settings))
            samples["raw write+SYST:ERR? pairs"].append(
                rate(lambda n: raw_pairs(instrument, n), pairs))
            samples["class"].append(rate(lambda n: class_settings(board, n), settings))
        medians = {name: statistics.median(values) for name, values in samples.items()}
        for name, values in samples.items():
            print(f"{name}: median {medians[name]:,.0f}/s over {rounds} rounds "
                  f"({', '.join(f'{v:,.0f}' for v in values)})", file=sys.stderr)
        figure = (f"dac_eval checked settings {medians['class']:,.0f}/s; raw pyvisa to the same "
                  f"program: unchecked writes {medians['raw writes']:,.0f}/s, write+SYST:ERR? "
                  f"pairs {medians['raw write+SYST:ERR? pairs']:,.0f}/s")
        met = medians["class"] >= TARGET
        print(f"{figure} | target >= {TARGET:,.0f}/s | {'MET' if met else 'MISSED'}")
        instrument.close()
        board.close()
    finally:
        program.terminate()
        program.wait(timeout=10)


if __name__ == "__main__":
    main()
