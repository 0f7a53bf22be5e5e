"""The program's command line as a user meets it: refusals in one line with exit status 2, the
help text, a port that is already taken, SIGTERM while a client writes, and a setup file restored
at start or refused."""

import csv
import json
import os
import socket
import subprocess
import sys
import tempfile
import time
import unittest

from program import Program, environment_without_display

BINARY = sys.argv.pop(1) if __name__ == "__main__" else None


def run(*args):
    return subprocess.run([BINARY, *args], capture_output=True, text=True, timeout=30,
                          env=environment_without_display())


class CommandLine(unittest.TestCase):
    def test_bad_starts_end_with_one_line_and_status_2(self):
        cases = {
            ("--frobnicate",): "unknown option --frobnicate",
            ("--model", "ZR999", "--headless"): "unknown model ZR999",
            ("--headless",): "--headless needs --model or --setup",
            ("--remote=99999",): "--remote takes PORT or ADDRESS:PORT",
            # Only dotted-quad IPv4, bracketed IPv6 and localhost: nothing the socket library
            # would read as some other address.
            ("--headless", "--model", "zr810", "--remote=300.1.1.1:5000"): "not 300.1.1.1:5000",
            ("--remote=0:0",): "--remote takes PORT or ADDRESS:PORT",
            ("--remote=127.1:5025",): "--remote takes PORT or ADDRESS:PORT",
            ("--remote=0x7f000001:5025",): "--remote takes PORT or ADDRESS:PORT",
            ("--remote=2130706433:5025",): "--remote takes PORT or ADDRESS:PORT",
            ("--remote=::1:5025",): "--remote takes PORT or ADDRESS:PORT",
            ("--remote-clients", "0"): "--remote-clients takes a number of clients from 1 to 1024",
            ("--remote-clients=1025",): "--remote-clients takes a number of clients from 1",
            ("--headless", "--model", "zr810", "--firmware", "/nonexistent/board.hex"):
                "--firmware /nonexistent/board.hex: no such file",
            ("--headless", "--model", "zr810", "--remote=0", "--log", "/nonexistent/log.csv"):
                "--log /nonexistent/log.csv: cannot be opened for writing",
            ("--headless", "--model", "zr810", "--log"): "--log needs a value",
        }
        for args, message in cases.items():
            with self.subTest(args=args):
                done = run(*args)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, "")
                self.assertEqual(len(done.stderr.splitlines()), 1, done.stderr)
                self.assertIn(message, done.stderr)

    def test_a_port_in_use_ends_the_program(self):
        with socket.socket() as taken:
            taken.bind(("127.0.0.1", 0))
            taken.listen()
            port = taken.getsockname()[1]
            done = run("--headless", "--model", "ZR810", f"--remote={port}")
        self.assertEqual(done.returncode, 2)
        self.assertEqual(len(done.stderr.splitlines()), 1, done.stderr)
        self.assertIn(f"cannot listen on 127.0.0.1:{port}", done.stderr)

    def test_help_lists_the_options(self):
        done = run("--help")
        self.assertEqual(done.returncode, 0)
        for option in ("--model", "--headless", "--remote", "--remote-clients", "--simulate",
                       "--usb-id", "--board", "--setup", "--log"):
            self.assertIn(option, done.stdout)

    def test_headless_needs_no_display_and_stops_cleanly(self):
        program = Program(BINARY, "--headless", "--model", "zr823", "--remote=0")
        with socket.create_connection(("127.0.0.1", program.port), timeout=10) as client:
            client.sendall(b"*IDN?\n")
            self.assertEqual(client.makefile().readline(), "dac-eval,ZR823,0,1.06\n")
        self.assertEqual(program.stop(), 0)
        self.assertEqual(program.stderr, "")

    def test_a_server_open_beyond_the_loopback_warns_once(self):
        program = Program(BINARY, "--headless", "--model", "zr810", "--remote=0.0.0.0:0")
        self.assertEqual(program.stop(), 0)
        warning = program.stderr.splitlines()
        self.assertEqual(len(warning), 1, program.stderr)
        self.assertIn(f"remote control listens on 0.0.0.0:{program.port}: anyone who can reach "
                      "that address and port can drive the board", warning[0])

    def test_sigterm_ends_the_program_within_two_seconds_while_a_client_writes(self):
        program = Program(BINARY, "--headless", "--model", "zr810", "--remote=0")
        with socket.create_connection(("127.0.0.1", program.port), timeout=10) as client:
            line = ";:".join(f"DAC{n % 16}:X1A {n}" for n in range(300)).encode() + b"\n"
            client.sendall(line * 200)
            started = time.monotonic()
            program.process.terminate()
            program.process.wait(timeout=10)
            self.assertLess(time.monotonic() - started, 2.0)
        self.assertEqual(program.stop(), 0)


class LogFile(unittest.TestCase):
    """--log FILE: the request log as CSV in FILE while the program runs."""

    HEADER = ["time", "request", "value", "index", "direction", "length", "status",
              "status text", "word", "origin", "command"]

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.path = os.path.join(self.folder.name, "requests.csv")

    def tearDown(self):
        self.folder.cleanup()

    def rows(self):
        with open(self.path, newline="", encoding="utf-8") as log:
            return list(csv.reader(log))

    def rows_within_two_seconds(self, program, wanted):
        """The file's rows once `wanted(rows)` holds, with the program still running."""
        deadline = time.monotonic() + 2.0
        while True:
            rows = self.rows()
            if wanted(rows):
                self.assertIsNone(program.process.poll(), "the program ended")
                return rows
            if time.monotonic() > deadline:
                self.fail(f"not in the file within 2 s: {rows}")
            time.sleep(0.05)

    def test_the_requests_reach_the_file_while_the_program_runs(self):
        program = Program(BINARY, "--headless", "--simulate", "--model", "zr810", "--remote=0",
                          "--log", self.path)
        try:
            with socket.create_connection(("127.0.0.1", program.port), timeout=10) as client:
                replies = client.makefile()
                origin = "remote 127.0.0.1:%d" % client.getsockname()[1]
                # Start-up: the connection sequence's start request, before any client.
                rows = self.rows_within_two_seconds(program, lambda rows: len(rows) >= 2)
                self.assertEqual(rows[0], self.HEADER)
                self.assertEqual(rows[1][1:9], ["E0", "0000", "0000", "out", "0", "0", "OK", ""])
                self.assertEqual(rows[1][9], "start-up")

                client.sendall(b"DAC3:X1A 4660;*OPC?\n")
                self.assertEqual(replies.readline().strip(), "1")
                rows = self.rows_within_two_seconds(program, lambda rows: len(rows) >= 3)
                self.assertEqual(len(rows), 3, rows)
                # X1A of channel 3: mode bits 11, address 3 + 8, code 1234 hex.
                self.assertEqual(rows[2][1:10], ["DD", "1234", "00CB", "out", "0", "0", "OK",
                                                 "CB1234", origin])
                self.assertIn("DAC3:X1A", rows[2][10])

                # Later rows follow as they come, each once, in order.
                client.sendall(b"OFFS1 8192;LDAC;*OPC?\n")
                self.assertEqual(replies.readline().strip(), "1")
                rows = self.rows_within_two_seconds(program, lambda rows: len(rows) >= 5)
                self.assertEqual(len(rows), 5, rows)
                self.assertEqual([row[1] for row in rows[3:]], ["DD", "DE"])
                self.assertEqual(rows[3][8], "032000")  # offset DAC 1: 030000 hex + code
                self.assertTrue(all(len(row) == len(self.HEADER) for row in rows))
        finally:
            self.assertEqual(program.stop(), 0)
        self.assertEqual(len(self.rows()), 5)


def zr812_setup():
    """A setup of the 8-channel 16-bit model, written by hand after docs/setup-file.md."""
    channel = {"x1a": 32768, "x1b": 32768, "m": 65535, "c": 32768, "abSelect": "A",
               "x2a": 32768, "x2b": 32768, "dacRegister": 32768}
    channels = [dict(channel) for _ in range(8)]
    channels[3].update(x1a=0x9000, x2a=0x9000, dacRegister=0x9000)
    # Half gain: X2 = X1 * 32768 / 65536 + C - 32768.
    channels[5].update(m=0x7FFF, x1a=0x4000, x2a=0x2000, x2b=0x4000, abSelect="B",
                       dacRegister=0x4000)
    return {"format": "dac-eval setup", "version": 1, "model": "ZR812", "channels": channels,
            "dacRegistersLoaded": True, "offsetDacs": [4096, 8192], "references": [2.5, 5],
            "inputRegister": "B", "monitor": {"enabled": True, "source": "IN1", "channel": 6},
            "gpio": "high"}


class SetupOnTheCommandLine(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def file(self, contents, name="bench.json"):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as out:
            out.write(contents if isinstance(contents, str) else json.dumps(contents, indent=2))
        return path

    def test_a_good_setup_is_restored_once_started_with_its_model(self):
        program = Program(BINARY, "--headless", "--remote=0", "--setup", self.file(zr812_setup()))
        queries = {"*IDN?": "dac-eval,ZR812,0,1.06", "BOAR:LINK?": "simulated", "DAC3:X1A?": "36864",
                   "DAC3:REG?": "36864", "DAC5:X2A?": "8192", "DAC5:ABS?": "B",
                   "DAC5:REG?": "16384", "OFFS0?": "4096", "REF0?": "2.5", "CONT:INP?": "B",
                   "MON:STAT?": "1", "MON:SEL?": "IN1", "GPIO:MODE?": "HIGH",
                   # The chip itself: X1A, X1B, M, C, X2A, X2B, DAC register.
                   "BOAR:SIM:DAC5?": "16384,32768,32767,32768,8192,16384,16384"}
        with socket.create_connection(("127.0.0.1", program.port), timeout=10) as client:
            replies = client.makefile()
            for query, answer in queries.items():
                client.sendall(query.encode() + b"\n")
                self.assertEqual(replies.readline().strip(), answer, query)
        self.assertEqual(program.stop(), 0)

    def test_a_refused_setup_ends_the_program_before_it_starts(self):
        wide = zr812_setup()
        wide["channels"][3]["x1a"] = 65536
        no_gpio = zr812_setup()
        del no_gpio["gpio"]
        headless = ("--headless", "--remote=0")
        cases = [
            (headless, os.path.join(self.folder.name, "none.json"),
             "--setup: cannot read none.json: "),
            (headless, self.file("not a setup\n", "text.json"), "--setup: line 1, column 1: "),
            (headless + ("--model", "zr810"), self.file(zr812_setup(), "zr812.json"),
             "--setup: the setup is for ZR812, not for ZR810 (--model)"),
            (headless, self.file(no_gpio, "no_gpio.json"), "--setup: gpio: missing"),
            # The window too, on a machine without a display: the file is checked first.
            ((), self.file(wide, "wide.json"),
             "--setup: channels[3].x1a: 65536 is outside 0 to 65535"),
        ]
        for args, path, message in cases:
            with self.subTest(message=message):
                done = run(*args, "--setup", path)
                self.assertEqual(done.returncode, 2)
                # Nothing on stdout: the server, which starts before the board connection, never
                # said it was listening.
                self.assertEqual(done.stdout, "")
                self.assertEqual(len(done.stderr.splitlines()), 1, done.stderr)
                self.assertIn("dac-eval: " + message, done.stderr)


if __name__ == "__main__":
    unittest.main()
