"""Raw socket clients of the kinds bench engineers use: a script piped through `nc -N` (sends
everything, then half-closes), a client that never reads, and a prompt client that measures how
long an answer takes while others misbehave. Shared by the remote-control tests and benchmarks."""

import socket
import threading
import time


def connect(port, receive_buffer=None):
    client = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    if receive_buffer is not None:
        client.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, receive_buffer)
    client.connect(("127.0.0.1", port))
    return client


def script(port, text, timeout=120):
    """Sends `text` whole, half-closes and reads every reply until the program closes: what
    `nc -N host port < script` does. Replies are read on another thread meanwhile. Returns the
    bytes received."""
    received = []
    with connect(port) as client:
        client.settimeout(timeout)

        def read():
            while chunk := client.recv(1 << 16):
                received.append(chunk)

        reader = threading.Thread(target=read)
        reader.start()
        client.sendall(text)
        client.shutdown(socket.SHUT_WR)
        reader.join(timeout)
        if reader.is_alive():
            raise AssertionError("the program never closed the connection")
    return b"".join(received)


def ask(port, line, timeout=30):
    """One line on a fresh connection; its one reply line."""
    with connect(port) as client:
        client.settimeout(timeout)
        client.sendall(line.encode() + b"\n")
        return client.makefile("rb").readline().decode().rstrip("\n")


class Prompt:
    """A client that asks `*OPC?` again and again on one connection and notes how long each
    answer took."""

    def __init__(self, port):
        self.client = connect(port)
        self.client.settimeout(30)
        self.client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.replies = self.client.makefile("rb")

    def latency(self):
        start = time.perf_counter()
        self.client.sendall(b"*OPC?\n")
        if self.replies.readline() != b"1\n":
            raise AssertionError("*OPC? not answered with 1")
        return time.perf_counter() - start

    def worst(self, seconds, pause=0.005):
        """The longest answer over `seconds` of asking."""
        worst = 0.0
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            worst = max(worst, self.latency())
            time.sleep(pause)
        return worst

    def close(self):
        self.client.close()


class Silent:
    """A client that sends `text` as far as the program takes it and never reads."""

    def __init__(self, port, text):
        self.client = connect(port, receive_buffer=4096)
        self.client.setblocking(False)
        self.pending = memoryview(text)
        self.push()

    def push(self):
        """Sends what the program takes now; the rest waits."""
        while self.pending:
            try:
                sent = self.client.send(self.pending)
            except BlockingIOError:
                return
            self.pending = self.pending[sent:]

    def close(self):
        self.client.close()


def resident_kib(pid):
    """The program's resident memory, in KiB."""
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise AssertionError("no VmRSS")


def fill_word_log(port, words=100_000):
    """Sends `words` direct loads, so that the simulated board's word list is at its longest."""
    text = b"".join(b"WORD %d\n" % (i & 0xFFFF) for i in range(words)) + b"*OPC?\n"
    return script(port, text).endswith(b"1\n")
