#!/usr/bin/python3
"""Sweeps one channel's input code and writes code and output voltage as CSV.

    sweep.py [--resource TCPIP::127.0.0.1::5025::SOCKET] [--channel 0]
             [--start 0] [--stop FULL] [--step STEP] [--out sweep.csv] [--plot sweep.png]

The sweep runs from --start to --stop (by default the model's whole code range, 0 to 65535 on a
16-bit model, 0 to 16383 on a 14-bit one) in steps of --step (by default a sixteenth of the range),
and always ends on --stop itself. Each code is written into the input register the channel's DAC
takes, then LDAC loads it and the output voltage is read. --plot draws the curve into a PNG
(python3-matplotlib).

The program must be running with remote control on (dac-eval --remote, or --headless --model).
"""

import argparse
import csv
import os
import sys

try:
    from dac_eval import DacEval, DacEvalError
except ImportError:  # run from the source tree
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))
    from dac_eval import DacEval, DacEvalError


def codes(start, stop, step):
    """start, start + step, ... and stop itself, so that the sweep reaches its end."""
    points = list(range(start, stop + 1, step))
    if points[-1] != stop:
        points.append(stop)
    return points


def sweep(channel, points):
    """[(code, volts)] with each code loaded into the channel's DAC register."""
    rows = []
    for code in points:
        # The input register the channel's DAC takes at LDAC, so that the voltage follows.
        if channel.source == "B":
            channel.x1b = code
        else:
            channel.x1a = code
        channel.ldac()
        rows.append((code, channel.voltage))
    return rows


def plot(rows, path, title):
    import matplotlib
    matplotlib.use("Agg")  # a file, no display needed
    import matplotlib.pyplot as plt

    figure, axes = plt.subplots()
    axes.plot([c for c, _ in rows], [v for _, v in rows], marker=".")
    axes.set_xlabel("code")
    axes.set_ylabel("output (V)")
    axes.set_title(title)
    axes.grid(True)
    figure.savefig(path)
    plt.close(figure)


def arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--resource", default="TCPIP::127.0.0.1::5025::SOCKET")
    parser.add_argument("--channel", type=int, default=0)
    parser.add_argument("--start", type=int, default=0)
    parser.add_argument("--stop", type=int, help="last code (default: the model's full scale)")
    parser.add_argument("--step", type=int, help="default: a sixteenth of the range")
    parser.add_argument("--out", default="-", help="CSV file, - for standard output")
    parser.add_argument("--plot", metavar="FILE.png", help="draw the sweep into a PNG file")
    return parser.parse_args(argv)


def main(argv=None):
    args = arguments(argv)
    board = DacEval(args.resource)
    if not 0 <= args.channel < len(board.channels):
        sys.exit(f"a {board.model} has channels 0 to {len(board.channels) - 1}, "
                 f"not {args.channel}")
    channel = board.channels[args.channel]
    stop = channel.top if args.stop is None else args.stop
    step = args.step or max(1, (stop - args.start) // 16)
    if not 0 <= args.start <= stop <= channel.top or step < 1:
        sys.exit(f"a {board.model} takes codes 0 to {channel.top}, start <= stop and step >= 1")
    try:
        rows = sweep(channel, codes(args.start, stop, step))
    except DacEvalError as error:
        sys.exit(f"the program refused the sweep: {error}")
    out = sys.stdout if args.out == "-" else open(args.out, "w", newline="")
    writer = csv.writer(out)
    writer.writerow(["code", "volts"])
    writer.writerows((code, repr(volts)) for code, volts in rows)
    if out is not sys.stdout:
        out.close()
    if args.plot:
        plot(rows, args.plot, f"{board.model} channel {args.channel}")


if __name__ == "__main__":
    main()
