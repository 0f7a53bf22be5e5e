"""The program's command line as a user meets it: refusals in one line with exit status 2, the
help text, and a port that is already taken."""

import socket
import subprocess
import sys
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
            ("--headless",): "--headless needs --model",
            ("--remote=99999",): "--remote takes PORT or ADDRESS:PORT",
            ("--headless", "--model", "zr810", "--remote=300.1.1.1:5000"): "not an IP address",
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
        for option in ("--model", "--headless", "--remote", "--simulate", "--usb-id", "--board"):
            self.assertIn(option, done.stdout)

    def test_headless_needs_no_display_and_stops_cleanly(self):
        program = Program(BINARY, "--headless", "--model", "zr823", "--remote=0")
        with socket.create_connection(("127.0.0.1", program.port), timeout=10) as client:
            client.sendall(b"*IDN?\n")
            self.assertEqual(client.makefile().readline(), "dac-eval,ZR823,simulated,1.06\n")
        self.assertEqual(program.stop(), 0)


if __name__ == "__main__":
    unittest.main()
