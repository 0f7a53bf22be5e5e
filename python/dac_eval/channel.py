"""One output channel of the chip, as an object: board.channels[9]."""

import functools

from pymeasure.instruments import Instrument

from .validators import strict_choice, strict_code, strict_volts

_SOURCES = ("A", "B")
_REGISTERS = ("X1A", "X1B", "M", "C")


def _register(name, doc, top):
    return Instrument.control(
        f"DAC{{ch}}:{name}?", f"DAC{{ch}}:{name} %d", doc,
        validator=strict_code, values=(0, top), get_process=int)


def _code(name, doc):
    return Instrument.measurement(f"DAC{{ch}}:{name}?", doc, get_process=int)


class DacChannel:
    """Channel `id` of the chip, numbered as the window labels it (DAC4 of an 8-channel model is
    the chip's second group). Its commands go through the board's checked link: a refused one
    raises DacEvalError with the program's words.

    Codes are integers within the model's bits: anything else (1.7, 70000 on a 16-bit model, a
    string) raises ValueError before anything is sent.
    """

    top = 0xFFFF  # replaced per model by channel_type()

    x2a = _code("X2A", "Corrected code from X1A, M and C (read only).")
    x2b = _code("X2B", "Corrected code from X1B, M and C (read only).")
    register = _code("REGister", "The DAC register: what the output shows since the last LDAC.")

    source = Instrument.control(
        "DAC{ch}:ABSel?", "DAC{ch}:ABSel %s",
        """Which corrected code the DAC register takes at LDAC: "A" (X2A) or "B" (X2B).""",
        validator=strict_choice, values=_SOURCES)

    voltage = Instrument.control(
        "DAC{ch}:VOLTage?", "DAC{ch}:VOLTage %s",
        """The output voltage (V). Reading it gives the output of the DAC register, so a
        voltage written shows only after the next LDAC (ldac(), or set_voltage(v, load=True)).
        Writing it stores, in the input register that feeds the channel, the code whose output
        comes nearest; the program refuses a voltage no code reaches within half a step.""",
        validator=strict_volts, set_process=repr)

    simulated = Instrument.measurement(
        "BOARd:SIMulation:DAC{ch}?",
        """What the simulated board's chip holds for this channel: [X1A, X1B, M, C, X2A, X2B,
        DAC register] (refused on a real board).""",
        cast=int)  # a list: PyMeasure 0.9 and later agree on cast, not on processing lists

    def __init__(self, parent, id):
        self.parent = parent
        self.id = id

    def insert_id(self, command):
        return command.replace("{ch}", str(self.id))

    # The interface PyMeasure's properties call: every command goes through the board.
    def write(self, command):
        self.parent.write(self.insert_id(command))

    def ask(self, command):
        return self.parent.ask(self.insert_id(command))

    def values(self, command, **kwargs):
        return self.parent.values(self.insert_id(command), **kwargs)

    def check_errors(self):
        return self.parent.check_errors()

    def check_set_errors(self):
        return []  # every write was checked in its own round trip

    def check_get_errors(self):
        return []

    def set_voltage(self, volts, load=False):
        """Writes the voltage; with load=True pulses LDAC afterwards, only when the program took
        the voltage, so that the output shows it (and every other channel loads too)."""
        self.voltage = volts
        if load:
            self.parent.ldac()

    def ldac(self):
        """Pulses LDAC: every channel's DAC register loads, this one among them."""
        self.parent.ldac()

    def read_back(self, register):
        """What the chip itself holds in `register` ("X1A", "X1B", "M" or "C"), read back from
        the chip rather than from the program's register model."""
        strict_choice(register.upper(), _REGISTERS)
        return int(self.ask(f"DAC{{ch}}:{register.upper()}:READ?"))

    def __repr__(self):
        return f"DacChannel({self.id})"


@functools.lru_cache(maxsize=None)
def channel_type(bits):
    """The channel class for a model whose channel registers have `bits` bits."""
    top = (1 << bits) - 1
    registers = {
        "top": top,
        "x1a": _register("X1A", "Input data register A (code).", top),
        "x1b": _register("X1B", "Input data register B (code), whatever the input route.", top),
        "m": _register("M", "Gain register (code).", top),
        "c": _register("C", "Offset register (code).", top),
    }
    return type(f"DacChannel{bits}", (DacChannel,), registers)
