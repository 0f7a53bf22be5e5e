#!/usr/bin/python3
"""Checked settings per second from an unmodified pyvisa-py client (Debian's python3-pyvisa-py,
Nagle's algorithm on as it leaves it): each a write followed by a SYST:ERR? query, as the Python
class and exported scripts do. Side by side in the same run with the same client against two bare
servers that answer SYST:ERR? at once: one acknowledging every read at once (the best the
loopback allows), one a plain socket server (the delayed acknowledgement that costs about 40 ms a
pair). Target: at least 2,000 pairs per second against the program.

Usage: bench_pyvisa_pairs.py DAC_EVAL [PAIRS]   (default 2000)"""

import os
import socket
import sys
import threading
import time
import warnings

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "python"))
warnings.simplefilter("ignore", DeprecationWarning)

import pyvisa  # noqa: E402
from program import Program  # noqa: E402

TARGET = 2000.0


def bare_server(quick_ack):
    """A server on a free port answering every SYST:ERR? line at once; its port."""
    listener = socket.create_server(("127.0.0.1", 0))

    def serve(client):
        client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        pending = b""
        while True:
            if quick_ack:
                client.setsockopt(socket.IPPROTO_TCP, socket.TCP_QUICKACK, 1)
            chunk = client.recv(65536)
            if not chunk:
                return
            pending += chunk
            *lines, pending = pending.split(b"\n")
            replies = [b'0,"No error"\n' for line in lines if line.startswith(b"SYST:ERR?")]
            if replies:
                client.sendall(b"".join(replies))

    def accept():
        while True:
            client, _ = listener.accept()
            threading.Thread(target=serve, args=(client,), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    return listener.getsockname()[1]


def pairs_per_second(port, pairs):
    resource = pyvisa.ResourceManager("@py").open_resource(
        f"TCPIP::127.0.0.1::{port}::SOCKET", read_termination="\n", write_termination="\n",
        timeout=10000)
    try:
        for i in range(20):  # the connection warmed up
            resource.write(f"DAC0:X1A {i}")
            resource.query("SYST:ERR?")
        start = time.perf_counter()
        for i in range(pairs):
            resource.write(f"DAC0:X1A {i & 0xFFFF}")
            if not resource.query("SYST:ERR?").startswith("0,"):
                raise AssertionError("a setting was refused")
        return pairs / (time.perf_counter() - start)
    finally:
        resource.close()


def main():
    binary = sys.argv[1]
    pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    program = Program(binary, "--headless", "--model", "ZR810", "--remote=0")
    try:
        ours = pairs_per_second(program.port, pairs)
    finally:
        program.stop()
    quick = pairs_per_second(bare_server(quick_ack=True), pairs)
    plain = pairs_per_second(bare_server(quick_ack=False), max(20, pairs // 100))
    print(f"pyvisa-py write + SYST:ERR? pairs: {ours:,.0f}/s against the program, "
          f"{quick:,.0f}/s against a bare server acknowledging at once, {plain:,.0f}/s against "
          f"a plain bare server", file=sys.stderr)
    verdict = "met" if ours >= TARGET else "NOT met"
    print(f"pyvisa-py checked settings {ours:,.0f}/s | target >= {TARGET:,.0f}/s | {verdict}")


if __name__ == "__main__":
    main()
