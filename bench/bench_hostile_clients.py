#!/usr/bin/python3
"""What clients that misbehave cost everyone else: the program headless on its simulated board
after 100,000 words, its resident memory and another client's *OPC? round trip (median and
worst), first with no other client (the baseline, same run), then with each kind of hostile
client of the remote-control issue:
  - one 64 KiB line of :BOARd:SIMulation:WORDs?;:WORD? queries (about 580 KB an answer);
  - one client sending 2,000 lines BOARd:SIMulation:WORDs? and never reading;
  - 63 clients each sending one 64 KiB line of *LRN? and never reading.
Targets: *OPC? answered within 50 ms throughout; memory grown by at most clients x 3 MiB.

Usage: bench_hostile_clients.py DAC_EVAL"""

import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "python"))

from program import Program  # noqa: E402
from remote_clients import Prompt, Silent, fill_word_log, resident_kib  # noqa: E402

LATENCY_TARGET = 0.050
CLIENT_MIB = 3
LINE = 65536


def scenarios():
    words = b":BOARd:SIMulation:WORDs?;:WORD?;"
    learn = b"*LRN?;" * (LINE // 6 - 1) + b"*LRN?\n"
    return {
        "no other client": [],
        f"one line of {LINE // len(words) - 1:,} word-list queries":
            [words * (LINE // len(words) - 1) + b"*OPC?\n"],
        "2,000 word lists, never read": [b"BOARd:SIMulation:WORDs?\n" * 2000],
        "63 lines of *LRN?, never read": [learn] * 63,
    }


def measure(port, pid, texts, seconds=3.0):
    prompt = Prompt(port)
    before = resident_kib(pid)
    hostile = [Silent(port, text) for text in texts]
    latencies = []
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for client in hostile:
            client.push()
        latencies.append(prompt.latency())
        time.sleep(0.005)
    grown = resident_kib(pid) - before
    for client in hostile:
        client.close()
    prompt.close()
    time.sleep(0.5)  # the program lets the closed clients go
    return statistics.median(latencies), max(latencies), grown


def main():
    program = Program(sys.argv[1], "--headless", "--model", "ZR810", "--remote=0")
    try:
        fill_word_log(program.port)
        worst_all, grown_ok = 0.0, True
        for name, texts in scenarios().items():
            median, worst, grown = measure(program.port, program.process.pid, texts)
            bound = len(texts) * CLIENT_MIB * 1024
            grown_ok = grown_ok and grown <= max(bound, 1024)
            worst_all = max(worst_all, worst) if texts else worst_all
            print(f"{name}: *OPC? median {median * 1000:.2f} ms, worst {worst * 1000:.1f} ms; "
                  f"memory grown {grown / 1024:.1f} MiB (bound {bound / 1024:.0f} MiB)",
                  file=sys.stderr)
    finally:
        program.stop()
    verdict = "met" if worst_all <= LATENCY_TARGET and grown_ok else "NOT met"
    print(f"*OPC? beside hostile clients worst {worst_all * 1000:.1f} ms, memory within "
          f"clients x {CLIENT_MIB} MiB: {'yes' if grown_ok else 'no'} | "
          f"target <= {LATENCY_TARGET * 1000:.0f} ms | {verdict}")


if __name__ == "__main__":
    main()
