"""Remote control under the clients people really run: a script piped through `nc -N` that ends
with a half-close, clients that send far more than they read, and more clients than there is
room for. The program runs headless on its simulated board, on real loopback sockets."""

import os
import socket
import sys
import time
import unittest

from program import Program
from remote_clients import Prompt, Silent, ask, fill_word_log, resident_kib, script

BINARY = sys.argv.pop(1) if __name__ == "__main__" else None
MAX_LINE = 65536
MAX_REPLY = 4 * 1024 * 1024
CLIENT_MEMORY_KIB = 3 * 1024  # what one client may make the program hold
# A sanitized build keeps freed memory in quarantine: its resident memory is no measure.
MEASURES_MEMORY = not os.environ.get("DAC_EVAL_SANITIZED")


class Server(unittest.TestCase):
    extra = ()

    def setUp(self):
        self.program = Program(BINARY, "--headless", "--model", "ZR810", "--remote=0",
                               *self.extra)
        self.port = self.program.port

    def tearDown(self):
        status = self.program.stop()
        self.assertEqual(status, 0, self.program.stderr)


class NoCommandIsLost(Server):
    def test_every_line_before_a_half_close_runs_and_is_answered(self):
        for count in (1, 300, 20_000):
            with self.subTest(lines=count):
                text = b"".join(b"WORD %d;*LRN?\n" % n for n in range(1, count + 1))
                replies = script(self.port, text).split(b"\n")
                self.assertEqual(replies[-1], b"")  # every reply ends with its LF
                self.assertEqual(len(replies) - 1, count)
                self.assertTrue(all(r.startswith(b":REF0 ") for r in replies[:-1]))
                self.assertEqual(ask(self.port, "WORD?"), str(count))

    def test_a_last_line_without_lf_runs_at_the_end_of_input(self):
        self.assertEqual(script(self.port, b"WORD 4242\nWORD?;:WORD 77"), b"4242\n")
        self.assertEqual(ask(self.port, "WORD?"), "77")
        self.assertEqual(script(self.port, b"WORD?"), b"77\n")


class MemoryAndTimeAreBounded(Server):
    """After 100,000 words the simulated board's word list is as long as it gets (about 580 KB
    an answer)."""

    def setUp(self):
        super().setUp()
        self.assertTrue(fill_word_log(self.port))
        self.prompt = Prompt(self.port)
        self.before = resident_kib(self.program.process.pid)

    def tearDown(self):
        self.prompt.close()
        super().tearDown()

    def grown_kib(self):
        return resident_kib(self.program.process.pid) - self.before

    def test_one_line_of_huge_queries_answers_at_most_the_reply_limit(self):
        unit = b":BOARd:SIMulation:WORDs?;:WORD?;"
        line = unit * (MAX_LINE // len(unit))
        hostile = Silent(self.port, line[:-1] + b"\n")
        worst = self.prompt.worst(1.0)
        hostile.close()
        # Before: the event loop froze for two minutes and the program died out of memory.
        self.assertLess(worst, 1.0)
        if MEASURES_MEMORY:
            self.assertLess(self.grown_kib(), CLIENT_MEMORY_KIB + 4096)

        reply = script(self.port, line[:-1] + b"\nSYST:ERR?\n")
        answer, error = reply.split(b"\n")[:2]
        self.assertLessEqual(len(answer), MAX_REPLY)
        self.assertGreater(len(answer), MAX_REPLY // 2)
        self.assertTrue(error.startswith(b'-223,"Too much data;'), error)

    def test_clients_that_never_read_are_no_longer_read(self):
        hostile = [Silent(self.port, b"BOARd:SIMulation:WORDs?\n" * 2000)]
        hostile += [Silent(self.port, b"*LRN?;" * (MAX_LINE // 6 - 1) + b"*LRN?\n")
                    for _ in range(40)]
        worst = 0.0
        for _ in range(10):  # the clients send what the program takes, while it takes any
            for client in hostile:
                client.push()
            worst = max(worst, self.prompt.worst(0.1))
        grown = self.grown_kib()
        for client in hostile:
            client.close()
        # Before: 967 MiB for the first client, 1.1 GiB for 64 of the others.
        if MEASURES_MEMORY:
            self.assertLess(grown, len(hostile) * CLIENT_MEMORY_KIB)
        self.assertLess(worst, 1.0)


class RoomForClients(Server):
    extra = ("--remote-clients", "2")

    def test_a_client_without_room_is_told_why(self):
        with socket.create_connection(("127.0.0.1", self.port)) as first, \
                socket.create_connection(("127.0.0.1", self.port)) as second:
            first.sendall(b"*OPC?\n")
            second.sendall(b"*OPC?\n")
            self.assertEqual(first.recv(16) + second.recv(16), b"1\n1\n")
            with socket.create_connection(("127.0.0.1", self.port), timeout=30) as third:
                told = third.makefile("rb").read()  # up to the program's close
            self.assertEqual(
                told, b'-310,"System error;2 clients connected, no room for another"\n')
        answers = set()
        for _ in range(100):  # the places are free again once both have gone
            answers.add(ask(self.port, "*OPC?"))
            if "1" in answers:
                break
            time.sleep(0.02)
        self.assertIn("1", answers)


if __name__ == "__main__":
    unittest.main()
