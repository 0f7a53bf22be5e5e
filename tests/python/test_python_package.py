"""The dac_eval package against the program headless on its simulated board, over Debian's
pyvisa-py: values refused before anything is sent, refusals raised at once with the program's
words, every channel and board-wide command reaching the simulated chip.

    test_python_package.py BINARY PACKAGE_DIR
"""

import sys
import time
import unittest

BINARY, PACKAGE_DIR = (sys.argv.pop(1), sys.argv.pop(1)) if __name__ == "__main__" else (None, None)
if PACKAGE_DIR:
    sys.path.insert(0, PACKAGE_DIR)

from dac_eval import DacEval, DacEvalError  # noqa: E402
from program import Program  # noqa: E402


class Board:
    """A program of `model` and the class connected to it."""

    def __init__(self, model):
        self.program = Program(BINARY, "--headless", "--model", model, "--remote=0")
        self.board = DacEval(self.program.resource())

    def stop(self, test):
        self.board.close()
        status = self.program.stop()
        test.assertEqual(status, 0, self.program.stderr)

    def words(self):
        """The words the simulated board received."""
        return self.board.ask("BOARd:SIMulation:WORDs?")


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.zr810 = Board("ZR810")
        cls.zr813 = Board("ZR813")
        cls.zr821 = Board("ZR821")

    @classmethod
    def tearDownClass(cls):
        for b in (cls.zr810, cls.zr813, cls.zr821):
            b.stop(cls())

    def test_identity_and_model_shape(self):
        for b, model, channels, top, sets in ((self.zr810, "ZR810", 16, 0xFFFF, 2),
                                               (self.zr813, "ZR813", 8, 0x3FFF, 2),
                                               (self.zr821, "ZR821", 40, 0x3FFF, 3)):
            with self.subTest(model=model):
                board = b.board
                self.assertEqual((board.manufacturer, board.model, board.version),
                                 ("dac-eval", model, "1.06"))
                self.assertEqual(board.link, "simulated")
                self.assertEqual(len(board.channels), channels)
                self.assertEqual(board.channels[-1].top, top)
                self.assertEqual(len(board.reference_sets), sets)

    def test_values_the_program_could_never_take_raise_before_anything_is_sent(self):
        b = self.zr813
        board, ch = b.board, b.board.channels[2]
        cases = (
            ("a code that is not an integer", lambda: setattr(ch, "x1a", 1.7)),
            ("a bool", lambda: setattr(ch, "x1b", True)),
            ("a text", lambda: setattr(ch, "m", "12")),
            ("above 14 bits", lambda: setattr(ch, "x1a", 0x4000)),
            ("negative", lambda: setattr(ch, "c", -1)),
            ("a source that does not exist", lambda: setattr(ch, "source", "C")),
            ("a voltage that is not a number", lambda: setattr(ch, "voltage", float("nan"))),
            ("a word over 24 bits", lambda: setattr(board, "word", 1 << 24)),
            ("an offset DAC code over 14 bits",
             lambda: setattr(board.reference_sets[0], "offset_dac", 0x4000)),
            ("a GPIO mode that does not exist", lambda: setattr(board, "gpio_mode", "FLOAT")),
            ("a line state that does not exist", lambda: setattr(board, "ldac_line", "TOGGLE")),
            ("an input route that does not exist", lambda: setattr(board, "input_route", "C")),
            ("a monitor selection that does not exist",
             lambda: setattr(board, "monitor_selection", "IN2")),
        )
        before = b.words()
        for name, attempt in cases:
            with self.subTest(name):
                with self.assertRaises(ValueError):
                    attempt()
        self.assertEqual(b.words(), before)
        self.assertEqual(board.check_errors(), [])

    def test_a_refused_query_raises_at_once_with_the_programs_words(self):
        cases = (  # board, query, code, words in the text
            (self.zr810, "OFFSet2?", -221, "offset DAC 2"),
            (self.zr810, "DAC16:X1A?", -114, ""),
            (self.zr810, "DAC3:NOTHING?", -113, ""),
            (self.zr821, "GPIO:MODE?", -221, "GPIO"),
            (self.zr821, "MONitor:STATe?", -221, "monitor"),
        )
        for b, query, code, words in cases:
            with self.subTest(query=query, model=b.board.model):
                started = time.monotonic()
                with self.assertRaises(DacEvalError) as refused:
                    b.board.ask(query)
                elapsed = time.monotonic() - started
                self.assertLess(elapsed, 0.1)
                self.assertEqual(refused.exception.code, code)
                self.assertIn(words, refused.exception.text)
                self.assertIn(query, str(refused.exception))
                # The connection is in step: the next query gets its own answer, the queue is empty.
                self.assertEqual(b.board.ask("*OPC?"), "1")
                self.assertEqual(b.board.check_errors(), [])

    def test_a_block_answer_is_read_whole(self):
        # SYSTem:HELP:HEADers? answers a definite-length block of one header per line.
        board = self.zr810.board
        block = board.ask("SYSTem:HELP:HEADers?")
        digits = int(block[1])
        text = block[2 + digits:]
        self.assertEqual(len(text.encode()), int(block[2:2 + digits]))
        self.assertEqual(text.splitlines()[:2], ["*CLS", "*ESE"])
        self.assertIn("*LRN?", text.splitlines())
        self.assertEqual(board.ask("*OPC?"), "1")  # still in step

    def test_a_refused_property_raises_at_once(self):
        board = self.zr821.board
        for name, get in (("gpio_level", lambda: board.gpio_level),
                          ("monitor_enabled", lambda: board.monitor_enabled)):
            with self.subTest(name):
                started = time.monotonic()
                with self.assertRaises(DacEvalError) as refused:
                    get()
                self.assertLess(time.monotonic() - started, 0.1)
                self.assertEqual(refused.exception.code, -221)

    def test_a_refused_setting_raises_and_the_next_command_starts_clean(self):
        board = self.zr810.board
        for command, code in (("OFFSet2 100", -221), ("DAC99:X1A 1", -114),
                              ("NOTACOMMAND", -113), ("DAC1:VOLTage 1000", -222)):
            with self.subTest(command):
                with self.assertRaises(DacEvalError) as refused:
                    board.write(command)
                self.assertEqual(refused.exception.code, code)
                self.assertEqual(board.check_errors(), [])

    def test_a_setting_and_a_query_each_take_one_write(self):
        # Two small writes per setting wait on the client's Nagle algorithm: one write each.
        board = self.zr810.board
        connection = board.adapter.connection
        sent = []
        write = connection.write
        connection.write = lambda message, *args, **kwargs: (
            sent.append(message), write(message, *args, **kwargs))[1]
        try:
            board.channels[2].x1a = 5
            self.assertEqual(board.channels[2].x1a, 5)
            board.input_route = "B"
            board.input_route = "A"
        finally:
            del connection.write
        self.assertEqual(sent, ["DAC2:X1A 5\nSYST:ERR?", "DAC2:X1A?\nSYST:ERR?",
                                "CONTrol:INPut B\nSYST:ERR?", "CONTrol:INPut A\nSYST:ERR?"])

    def test_check_errors_returns_every_queued_entry(self):
        board = self.zr810.board
        board.adapter.write("DAC99:X1A 1")  # unchecked: the raw adapter
        board.adapter.write("NOPE")
        errors = board.check_errors()
        self.assertEqual([code for code, _ in errors], [-114, -113])
        self.assertEqual(board.check_errors(), [])

    def test_every_channel_command_reaches_the_simulated_chip(self):
        for b, values in ((self.zr810, (0x1234, 0xFEDC, 0x7FFF, 0x8100)),
                          (self.zr813, (0x0123, 0x3EDC, 0x3FFF, 0x2100))):
            with self.subTest(model=b.board.model):
                ch = b.board.channels[5]
                ch.x1a, ch.x1b, ch.m, ch.c = values
                ch.source = "b"
                ch.ldac()
                self.assertEqual((ch.x1a, ch.x1b, ch.m, ch.c), values)
                self.assertEqual(ch.source, "B")
                self.assertEqual(ch.register, ch.x2b)
                self.assertEqual(ch.simulated,
                                 [*values, ch.x2a, ch.x2b, ch.register])
                ch.source = "A"

    def test_a_written_voltage_shows_after_ldac(self):
        board = self.zr810.board
        ch = board.channels[7]
        board.reset()
        ch.voltage = 2.5
        self.assertEqual(ch.voltage, 0.0)  # written, not loaded
        ch.set_voltage(-5.0, load=True)
        self.assertEqual(ch.voltage, -5.0)
        self.assertEqual(ch.simulated[6], ch.register)
        with self.assertRaises(DacEvalError):
            ch.set_voltage(50.0, load=True)
        self.assertEqual(ch.voltage, -5.0)

    def test_board_wide_commands(self):
        board = self.zr810.board
        board.reset()
        board.input_route = "B"
        self.assertEqual(board.input_route, "B")
        board.input_route = "A"
        ch = board.channels[1]
        board.ldac_line = "LOW"  # every change now loads at once
        ch.x1a = 0x9000
        self.assertEqual(ch.register, ch.x2a)
        board.ldac_line = "high"
        ch.x1a = 0xA000
        self.assertNotEqual(ch.register, ch.x2a)
        board.ldac_line = "PULSE"
        self.assertEqual(ch.register, ch.x2a)
        board.clr_line = "PULSE"
        board.monitor_enabled = True
        board.monitor_selection = 3
        self.assertEqual((board.monitor_enabled, board.monitor_selection), (True, 3))
        board.monitor_selection = "in1"
        self.assertEqual(board.monitor_selection, "IN1")
        board.monitor_enabled = False
        board.gpio_mode = "HIGH"
        self.assertEqual(board.gpio_mode, "HIGH")
        self.assertIn(board.gpio_level, (0, 1))
        board.gpio_mode = "input"
        self.assertEqual(board.gpio_mode, "INPUT")
        sets = board.reference_sets
        sets[1].offset_dac = 0x1F00
        sets[0].reference = 2.048
        self.assertEqual((sets[1].offset_dac, sets[0].reference), (0x1F00, 2.048))
        board.word = 0xC81234
        self.assertEqual(board.word, 0xC81234)
        self.assertEqual(self.zr810.words().split(",")[-1], str(0xC81234))
        board.reload()
        board.reset_line = "PULSE"
        self.assertEqual(ch.x1a, 0x8000)  # the reset code of a 16-bit model

    def test_learn_and_restore(self):
        board = self.zr813.board
        board.channels[4].x1a = 0x0ABC
        board.reference_sets[1].reference = 1.25
        saved = board.learn()
        board.reset()
        board.reference_sets[1].reference = 5.0
        self.assertNotEqual(board.learn(), saved)
        board.restore(saved)
        self.assertEqual(board.learn(), saved)
        self.assertEqual(board.channels[4].x1a, 0x0ABC)

    def test_frames_and_sequences(self):
        board = self.zr810.board
        board.frame({3: 1.25, 7: -2.0})  # both to the nearest code at once
        self.assertAlmostEqual(board.channels[3].voltage, 1.25, delta=20 / 65536)
        self.assertAlmostEqual(board.channels[7].voltage, -2.0, delta=20 / 65536)
        board.frame_codes({3: 0x8000, 7: 0x8000})
        self.assertEqual(board.channels[3].register, 0x8000)
        with self.assertRaises(DacEvalError):  # refused as a whole: channel 3 keeps its code
            board.frame({3: 2.5, 7: 99.0})
        self.assertEqual(board.channels[3].x1a, 0x8000)
        with self.assertRaises(ValueError):
            board.frame_codes({3: 0x10000})

        board.sequence([{3: 1.0}, {3: 2.0}, {3: 3.0}], 0.002, repeat=2)
        while board.sequence_state.running:
            time.sleep(0.005)
        self.assertEqual(board.sequence_timing.played, 6)
        self.assertAlmostEqual(board.channels[3].voltage, 3.0, delta=20 / 65536)
        with self.assertRaises(ValueError):
            board.sequence([{3: 1.0}], 0.0001)

    def test_the_chip_read_back_and_verified(self):
        board = self.zr821.board
        ch = board.channels[9]
        ch.x1a = 0x1234
        self.assertEqual(ch.read_back("x1a"), 0x1234)
        self.assertEqual(board.verify(), [])
        # The simulated chip loses its registers behind the program's back.
        board.write("BOARd:SIMulation:POWercycle")
        differences = board.verify()
        self.assertIn((9, "X1A", 0x1234, ch.read_back("X1A")), differences)
        self.assertNotEqual(ch.read_back("X1A"), 0x1234)
        with self.assertRaises(ValueError):
            ch.read_back("X2A")
        board.reset()  # model and chip at power-on again
        self.assertEqual(board.verify(), [])


if __name__ == "__main__":
    unittest.main()
