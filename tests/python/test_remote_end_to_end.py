"""Remote control end to end: the program headless on its simulated board, driven through the
PyMeasure instrument class over pyvisa-py; the simulated chip then holds what was written."""

import os
import sys
import unittest

BINARY, ROOT = (sys.argv.pop(1), sys.argv.pop(1)) if __name__ == "__main__" else (None, None)
sys.path.insert(0, os.path.join(ROOT or ".", "python"))

from dac_eval import DacEval, DacEvalError  # noqa: E402
from program import Program  # noqa: E402


class RemoteEndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.program = Program(BINARY, "--headless", "--model", "ZR810", "--remote=0")
        cls.board = DacEval(cls.program.resource())

    @classmethod
    def tearDownClass(cls):
        cls.board.adapter.connection.close()
        status = cls.program.stop()
        if status != 0:
            raise AssertionError(f"the program ended with {status}: {cls.program.stderr}")

    def simulated_chip(self, channel):
        """What the simulated chip holds: X1A, X1B, M, C, X2A, X2B, DAC register."""
        reply = self.board.ask(f"BOARd:SIMulation:DAC{channel}?").strip()
        return [int(v) for v in reply.split(",")]

    def test_the_chip_holds_what_the_class_wrote(self):
        self.assertEqual(self.board.model, "ZR810")
        self.assertEqual(len(self.board.channels), 16)
        ch = self.board.channels[9]
        ch.x1a, ch.m, ch.c = 0x1234, 0x7FFF, 0x8100
        ch.x1b = 0x4000
        ch.source = "B"
        ch.ldac()
        expected = [ch.x1a, ch.x1b, ch.m, ch.c, ch.x2a, ch.x2b, ch.register]
        self.assertEqual(self.simulated_chip(9), expected)
        self.assertEqual(expected[:4], [0x1234, 0x4000, 0x7FFF, 0x8100])
        self.assertEqual(ch.register, ch.x2b)

    def test_a_voltage_comes_out_after_ldac(self):
        ch = self.board.channels[3]
        ch.voltage = -2.5
        self.assertEqual(ch.voltage, 0.0)  # not loaded yet
        ch.ldac()
        self.assertEqual(ch.voltage, -2.5)
        self.assertEqual(self.simulated_chip(3)[6], ch.register)

    def test_a_refused_setting_raises_and_changes_nothing(self):
        ch = self.board.channels[0]
        ch.x1a = 100
        with self.assertRaises(DacEvalError) as refused:
            ch.voltage = 100.0  # no code comes near it
        self.assertEqual(refused.exception.code, -222)
        self.assertEqual(ch.x1a, 100)
        self.assertEqual(self.simulated_chip(0)[0], 100)
        with self.assertRaises(ValueError):  # caught before anything is sent
            ch.x1a = 70000
        with self.assertRaises(ValueError):
            self.board.word = 0x1000000
        self.assertEqual(self.simulated_chip(0)[0], 100)

if __name__ == "__main__":
    unittest.main()
