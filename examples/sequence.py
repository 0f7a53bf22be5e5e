#!/usr/bin/python3
"""Plays a sequence of voltage frames from a CSV file, the program timing every frame.

    sequence.py FILE.csv [--repeat N] [--resource TCPIP::127.0.0.1::5025::SOCKET]

The file's header row is "dwell_s,<channel>,<channel>,...", each channel named by its number or
by the name the program knows it by (DAC<n>:NAME); then one row per frame: its dwell in seconds
and the volts of each channel. The program checks every frame before the first is played (names,
limits, codes) and refuses the whole sequence otherwise. The script waits for the sequence to end
and prints how late the frames' LDAC pulses came.
"""

import argparse
import csv
import os
import sys
import time

try:
    from dac_eval import DacEval, DacEvalError
except ImportError:  # run from the source tree
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))
    from dac_eval import DacEval, DacEvalError


def channel_numbers(board, header):
    """The channel numbers of the header's columns, named by number or by channel name."""
    names = {board.ask(f"DAC{n}:NAME?").strip().strip('"'): n for n in range(len(board.channels))}
    numbers = []
    for column in header:
        column = column.strip()
        if column.isdigit():
            numbers.append(int(column))
        elif column in names and column:
            numbers.append(names[column])
        else:
            sys.exit(f"no channel is called {column!r}")
    return numbers


def read_frames(board, path):
    with open(path, newline="") as file:
        rows = [row for row in csv.reader(file) if row]
    if not rows or rows[0][0].strip() != "dwell_s":
        sys.exit(f"{path}: the first row must be dwell_s,<channel>,...")
    channels = channel_numbers(board, rows[0][1:])
    frames, dwells = [], []
    for line, row in enumerate(rows[1:], start=2):
        if len(row) != len(channels) + 1:
            sys.exit(f"{path}, line {line}: {len(row) - 1} values for {len(channels)} channels")
        dwells.append(float(row[0]))
        frames.append(dict(zip(channels, (float(v) for v in row[1:]))))
    return frames, dwells


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("file")
    parser.add_argument("--repeat", type=int, default=1)
    parser.add_argument("--resource", default="TCPIP::127.0.0.1::5025::SOCKET")
    args = parser.parse_args()
    with DacEval(args.resource) as board:
        frames, dwells = read_frames(board, args.file)
        try:
            board.sequence(frames, dwells, repeat=args.repeat)
        except DacEvalError as refused:
            sys.exit(f"the program refused the sequence: {refused}")
        while board.sequence_state.running:
            time.sleep(0.01)
        timing = board.sequence_timing
        print(f"played {timing.played} frames; LDAC late by {timing.median_late * 1e3:.3f} ms "
              f"(median), {timing.largest_late * 1e3:.3f} ms at most")


if __name__ == "__main__":
    main()
