"""The package as unpacked into a scratch root: its program headless on the simulated board, its
Python package imported from the root (not from the source), its sweep example run against it.

    run_installed.py ROOT PYTHON_DIR
"""

import os
import re
import subprocess
import sys
import tempfile

root, pydir = sys.argv[1], sys.argv[2]
packages = os.path.join(root, "usr", pydir)
sys.path.insert(0, packages)
import dac_eval  # noqa: E402

assert dac_eval.__file__.startswith(packages), dac_eval.__file__

env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
program = subprocess.Popen([os.path.join(root, "usr", "bin", "dac-eval"), "--headless", "--model",
                            "ZR811", "--remote=0"], stdout=subprocess.PIPE, text=True, env=env)
try:
    port = re.search(r":(\d+)$", program.stdout.readline().strip()).group(1)
    resource = f"TCPIP::127.0.0.1::{port}::SOCKET"
    board = dac_eval.DacEval(resource)
    board.channels[3].set_voltage(1.25, load=True)
    assert board.channels[3].voltage == 1.25, board.channels[3].voltage
    print(f"installed dac_eval talks to the installed program: {board.model}, {board.link}")
    board.close()
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "sweep.csv")
        example = os.path.join(root, "usr", "share", "doc", "dac-eval", "examples", "sweep.py")
        done = subprocess.run([sys.executable, example, "--resource", resource, "--out", out],
                              env=dict(env, PYTHONPATH=packages), capture_output=True, text=True,
                              timeout=60)
        assert done.returncode == 0, done.stderr
        with open(out) as f:
            last = f.read().split()[-1]
        assert last.startswith("16383,"), last
        print(f"installed sweep example reaches full scale: {last}")
finally:
    program.terminate()
    program.wait(timeout=10)
