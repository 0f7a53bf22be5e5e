#!/usr/bin/python3
"""Saves the program's whole setup to a file, or restores it from one.

    setup_roundtrip.py save FILE [--resource TCPIP::127.0.0.1::5025::SOCKET]
    setup_roundtrip.py restore FILE [--resource ...]

The file holds the model on its first line and the program's *LRN? answer, one line of commands,
on its second. restore checks the model, sends the line back, and checks that the program's
setup then equals the one saved. The program must be running with remote control on.
"""

import argparse
import os
import sys

try:
    from dac_eval import DacEval, DacEvalError
except ImportError:  # run from the source tree
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))
    from dac_eval import DacEval, DacEvalError


def save(board, path):
    with open(path, "w") as file:
        file.write(f"{board.model}\n{board.learn()}\n")
    print(f"saved the setup of the {board.model} to {path}")


def restore(board, path):
    with open(path) as file:
        model, setup = (file.read().splitlines() + ["", ""])[:2]
    if model != board.model:
        sys.exit(f"{path} holds a setup of a {model or 'unknown model'}, "
                 f"the program serves a {board.model}")
    board.restore(setup)
    if board.learn() != setup:
        sys.exit("the program's setup differs from the file after the restore")
    print(f"restored the setup of {path} on the {board.model}")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("action", choices=("save", "restore"))
    parser.add_argument("file")
    parser.add_argument("--resource", default="TCPIP::127.0.0.1::5025::SOCKET")
    args = parser.parse_args(argv)
    board = DacEval(args.resource)
    try:
        (save if args.action == "save" else restore)(board, args.file)
    except DacEvalError as error:
        sys.exit(f"the program refused it: {error}")
    except OSError as error:
        sys.exit(str(error))


if __name__ == "__main__":
    main()
