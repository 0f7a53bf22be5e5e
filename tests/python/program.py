"""Starting the program under test as a separate process."""

import os
import re
import subprocess

LISTENING = re.compile(r"listening on (\S+):(\d+)$")


def environment_without_display():
    """The environment of a machine with no display at all."""
    env = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(name, None)
    return env


class Program:
    """dac-eval started with `args`; its listening port once it has said it."""

    def __init__(self, binary, *args, env=None):
        self.process = subprocess.Popen([binary, *args], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True,
                                        env=env or environment_without_display())
        line = self.process.stdout.readline().strip()
        match = LISTENING.search(line)
        if not match:
            self.stop()
            raise AssertionError(f"no listening line: {line!r}, stderr {self.stderr!r}")
        self.port = int(match.group(2))

    def resource(self):
        return f"TCPIP::127.0.0.1::{self.port}::SOCKET"

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
        try:
            _, self.stderr = self.process.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            _, self.stderr = self.process.communicate()
        return self.process.returncode
