"""The examples end to end, as a bench engineer runs them, against the program headless:
sweep.py on a 14-bit and a 16-bit model with its defaults and a plot, setup_roundtrip.py saving
one program's setup and restoring it on another, sequence.py playing a CSV file.

    test_examples.py BINARY EXAMPLES_DIR [PACKAGE_DIR]
"""

import os
import subprocess
import sys
import tempfile
import unittest

ARGS = sys.argv[1:4] if __name__ == "__main__" else []
del sys.argv[1:4]
BINARY, EXAMPLES = (ARGS + [None, None])[:2]
PACKAGE_DIR = ARGS[2] if len(ARGS) > 2 else None
if PACKAGE_DIR:
    sys.path.insert(0, PACKAGE_DIR)

from dac_eval import DacEval  # noqa: E402
from program import Program  # noqa: E402


def run_example(name, *args):
    env = dict(os.environ)
    if PACKAGE_DIR:
        env["PYTHONPATH"] = PACKAGE_DIR
    return subprocess.run([sys.executable, os.path.join(EXAMPLES, name), *args],
                          capture_output=True, text=True, timeout=120, env=env)


class Examples(unittest.TestCase):
    def setUp(self):
        self.programs = []
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        for program in self.programs:
            self.assertEqual(program.stop(), 0, program.stderr)
        self.folder.cleanup()

    def start(self, model):
        program = Program(BINARY, "--headless", "--model", model, "--remote=0")
        self.programs.append(program)
        return program.resource()

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def test_sweep_covers_the_whole_code_range_of_any_model(self):
        # At the defaults (M full scale, C mid-scale, offset DAC and reference as the model
        # starts): 4 * VREF * (code - F * offset code) / 2^bits.
        for model, top, volts in (
                ("ZR813", 0x3FFF, lambda c: 20.0 * (c - 0x2000) / 16384),
                ("ZR810", 0xFFFF, lambda c: 20.0 * (c - 4 * 0x2000) / 65536)):
            with self.subTest(model=model):
                csv_file, png = self.path(f"{model}.csv"), self.path(f"{model}.png")
                done = run_example("sweep.py", "--resource", self.start(model), "--channel", "5",
                                   "--out", csv_file, "--plot", png)
                self.assertEqual(done.returncode, 0, done.stderr)
                with open(csv_file) as f:
                    rows = [line.strip().split(",") for line in f]
                self.assertEqual(rows[0], ["code", "volts"])
                codes = [int(c) for c, _ in rows[1:]]
                self.assertEqual(codes[0], 0)
                self.assertEqual(codes[-1], top)  # full scale reached
                self.assertEqual(len(codes), 18)  # 16 steps and the end
                for code, v in rows[1:]:
                    self.assertAlmostEqual(float(v), volts(int(code)), places=9)
                with open(png, "rb") as f:
                    self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_sweep_refuses_a_range_beyond_the_model(self):
        done = run_example("sweep.py", "--resource", self.start("ZR811"), "--stop", "65535")
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("codes 0 to 16383", done.stderr)
        self.assertNotIn("Traceback", done.stderr)

    def test_a_setup_saved_from_one_program_restores_on_another(self):
        source = self.start("ZR812")
        from dac_eval import DacEval
        board = DacEval(source)
        board.channels[6].x1b = 0x1234
        board.channels[6].source = "B"
        board.reference_sets[0].offset_dac = 0x1000
        board.gpio_mode = "LOW"
        board.ldac()
        saved = board.learn()
        board.close()
        setup = self.path("bench.setup")
        done = run_example("setup_roundtrip.py", "save", setup, "--resource", source)
        self.assertEqual(done.returncode, 0, done.stderr)

        target = self.start("ZR812")
        done = run_example("setup_roundtrip.py", "restore", setup, "--resource", target)
        self.assertEqual(done.returncode, 0, done.stderr)
        board = DacEval(target)
        self.assertEqual(board.learn(), saved)
        self.assertEqual(board.channels[6].simulated[1], 0x1234)
        board.close()

        done = run_example("setup_roundtrip.py", "restore", setup,
                           "--resource", self.start("ZR810"))
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("holds a setup of a ZR812", done.stderr)

    def test_sequence_plays_a_csv_file_by_channel_numbers_and_names(self):
        resource = self.start("ZR810")
        with DacEval(resource) as board:
            board.write('DAC7:NAME "bias"')
        csv_file = self.path("steps.csv")
        with open(csv_file, "w") as f:
            f.write("dwell_s,3,bias\n0.005,1.25,-2\n0.005,2.5,0\n0.005,-1,4.5\n")
        done = run_example("sequence.py", csv_file, "--repeat", "2", "--resource", resource)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("played 6 frames", done.stdout)
        with DacEval(resource) as board:  # the last frame stands, to the nearest code
            self.assertAlmostEqual(board.channels[3].voltage, -1.0, delta=20 / 65536)
            self.assertAlmostEqual(board.channels[7].voltage, 4.5, delta=20 / 65536)

        with open(csv_file, "w") as f:
            f.write("dwell_s,3\n0.005,1\n0.005,99\n")
        refused = run_example("sequence.py", csv_file, "--resource", resource)
        self.assertNotEqual(refused.returncode, 0)
        self.assertIn("the program refused the sequence", refused.stderr)
        self.assertIn("frame 2", refused.stderr)


if __name__ == "__main__":
    if PACKAGE_DIR:
        sys.path.insert(0, PACKAGE_DIR)
    unittest.main()
