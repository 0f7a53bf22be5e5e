#!/usr/bin/python3
"""Sweeps one channel's input code and writes code and expected output voltage as CSV.

    examples/sweep.py [--resource TCPIP::127.0.0.1::5025::SOCKET] [--channel 0]
                      [--start 0] [--stop 65535] [--step 4096] [--out sweep.csv]

The program must be running with remote control on (dac-eval --remote, or --headless --model).
"""

import argparse
import csv
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))
from dac_eval import DacEval  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--resource", default="TCPIP::127.0.0.1::5025::SOCKET")
    parser.add_argument("--channel", type=int, default=0)
    parser.add_argument("--start", type=int, default=0)
    parser.add_argument("--stop", type=int, default=65535)
    parser.add_argument("--step", type=int, default=4096)
    parser.add_argument("--out", default="-")
    args = parser.parse_args()

    board = DacEval(args.resource)
    channel = board.channels[args.channel]
    out = sys.stdout if args.out == "-" else open(args.out, "w", newline="")
    writer = csv.writer(out)
    writer.writerow(["code", "volts"])
    for code in range(args.start, args.stop + 1, args.step):
        # The register the channel's DAC takes at LDAC, so that the voltage follows the code.
        if channel.source == "B":
            channel.x1b = code
        else:
            channel.x1a = code
        channel.ldac()
        writer.writerow([code, repr(channel.voltage)])
    if out is not sys.stdout:
        out.close()


if __name__ == "__main__":
    main()
