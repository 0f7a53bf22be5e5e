"""PyMeasure instrument class for the DAC evaluation program's SCPI server.

Start the program with remote control (``dac-eval --remote``, or ``dac-eval --headless
--model ZR810`` without a window), then::

    from dac_eval import DacEval
    board = DacEval("TCPIP::127.0.0.1::5025::SOCKET")
    board.channels[9].x1a = 0x8000
    board.ldac()
    print(board.channels[9].voltage)

Every setting reads the program's error queue afterwards and raises DacEvalError when the
program refused it, so a script never goes on after a write that did not happen.
"""

from pymeasure.instruments import Instrument

# Channels of each chip model, numbered as the program's window labels them.
CHANNELS = {"ZR810": 16, "ZR811": 16, "ZR812": 8, "ZR813": 8,
            "ZR820": 40, "ZR821": 40, "ZR822": 32, "ZR823": 32}


class DacEvalError(Exception):
    """An error the program queued: its SCPI code and text."""

    def __init__(self, code, text):
        super().__init__(f"{code},{text}")
        self.code = code
        self.text = text


def _register(name, doc):
    """A channel's code register: read from the register model, written as the window does."""

    def fget(self):
        return int(self._parent.ask(f"DAC{self.number}:{name}?"))

    def fset(self, code):
        self._parent.write_checked(f"DAC{self.number}:{name} {int(code)}")

    return property(fget, fset, doc=doc)


def _reading(name, doc):
    def fget(self):
        return int(self._parent.ask(f"DAC{self.number}:{name}?"))

    return property(fget, doc=doc)


class DacChannel:
    """One output channel of the chip, numbered as the window labels it."""

    x1a = _register("X1A", "Input data register A (code).")
    x1b = _register("X1B", "Input data register B (code).")
    m = _register("M", "Gain register (code).")
    c = _register("C", "Offset register (code).")
    x2a = _reading("X2A", "Corrected code from X1A, M and C.")
    x2b = _reading("X2B", "Corrected code from X1B, M and C.")
    register = _reading("REGister", "The DAC register: what the output shows since the last LDAC.")

    def __init__(self, parent, number):
        self._parent = parent
        self.number = number

    @property
    def source(self):
        """Which corrected code the DAC register takes at LDAC: "A" or "B"."""
        return self._parent.ask(f"DAC{self.number}:ABSel?").strip()

    @source.setter
    def source(self, ab):
        self._parent.write_checked(f"DAC{self.number}:ABSel {ab}")

    @property
    def voltage(self):
        """The output voltage (V) from the DAC register. Setting it writes the code whose output
        after the next LDAC lies nearest, into the input register the channel takes."""
        return float(self._parent.ask(f"DAC{self.number}:VOLTage?"))

    @voltage.setter
    def voltage(self, volts):
        self._parent.write_checked(f"DAC{self.number}:VOLTage {float(volts)!r}")

    def ldac(self):
        """Pulses LDAC: every channel's DAC register loads, this one among them."""
        self._parent.ldac()

    def __repr__(self):
        return f"DacChannel({self.number})"


class DacEval(Instrument):
    """The DAC evaluation board as the evaluation program serves it over SCPI."""

    word = Instrument.control(
        "WORD?", "WORD %d",
        """The last 24-bit word sent to the board; setting it sends any word directly.""",
        get_process=int, check_set_errors=True)

    link = Instrument.measurement("BOARd:LINK?", """The board link: simulated, library or usb.""")

    def __init__(self, resource="TCPIP::127.0.0.1::5025::SOCKET", name="DAC evaluation board",
                 **kwargs):
        # pyvisa's default terminations would leave every read waiting for its timeout.
        kwargs.setdefault("read_termination", "\n")
        kwargs.setdefault("write_termination", "\n")
        kwargs.setdefault("visa_library", "@py")
        kwargs.setdefault("timeout", 5000)
        super().__init__(resource, name, includeSCPI=True, **kwargs)
        self.model = self.ask("*IDN?").strip().split(",")[1]
        self.channels = [DacChannel(self, n) for n in range(CHANNELS.get(self.model, 0))]

    def check_errors(self):
        """Reads the whole error queue; raises DacEvalError for the first error found."""
        errors = []
        while True:
            code, _, text = self.ask("SYST:ERR?").strip().partition(",")
            if int(code) == 0:
                break
            errors.append(DacEvalError(int(code), text.strip('"')))
        if errors:
            raise errors[0]
        return []

    def write_checked(self, command):
        self.write(command)
        self.check_errors()

    def ldac(self):
        """Pulses LDAC: every channel's DAC register takes its X2A or X2B."""
        self.write_checked("LDAC")

    def reset(self):
        """Pulses RESET: the chip and the register model back at power-on."""
        self.write_checked("*RST")

    def reference(self, k, volts=None):
        """Reads reference k (V), or sets it when `volts` is given."""
        if volts is not None:
            self.write_checked(f"REFerence{k} {float(volts)!r}")
        return float(self.ask(f"REFerence{k}?"))

    def offset_dac(self, k, code=None):
        """Reads offset DAC k's code, or writes it when `code` is given."""
        if code is not None:
            self.write_checked(f"OFFSet{k} {int(code)}")
        return int(self.ask(f"OFFSet{k}?"))
