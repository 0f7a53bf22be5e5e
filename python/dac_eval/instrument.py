"""The DAC evaluation board as the evaluation program serves it over SCPI."""

import collections

from pymeasure.instruments import Instrument

from .channel import channel_type
from .errors import DacEvalError
from .frames import (code_frame, dwell_seconds, parse_state, parse_timing, repeat_text,
                     voltage_frame)
from .link import CheckedLink
from .models import MODELS, WORD_BITS
from .reference_set import ReferenceSet
from .validators import monitor_item, strict_choice, strict_code

_LINE_STATES = ("HIGH", "LOW", "PULSE")


def _line(name, doc):
    return Instrument.setting(f"CONTrol:{name} %s", doc, validator=strict_choice,
                              values=_LINE_STATES)


def _cast(text, cast):
    try:
        return cast(text)
    except ValueError:
        return text.strip()


Difference = collections.namedtuple("Difference", "channel register model chip")


class DacEval(Instrument):
    """The board of one dac-eval program (``dac-eval --headless --model ZR810``, or ``--remote``
    beside the window).

    Every setting and every query takes one round trip with its error check: a refused one
    raises DacEvalError with the program's own words at once, and a value the program could
    never take (a code that is not an integer within the register's bits, a choice that does not
    exist) raises ValueError before anything is sent.
    """

    input_route = Instrument.control(
        "CONTrol:INPut?", "CONTrol:INPut %s",
        """The input register ("A" or "B") that writes through the chip's control register
        reach: the window's A/B choice above "X >>".""",
        validator=strict_choice, values=("A", "B"))

    ldac_line = _line("LDAC", """Drives LDAC: "HIGH", "LOW" (every change then loads at
        once) or "PULSE".""")
    reset_line = _line("RESet", """Drives RESET: "HIGH", "LOW" or "PULSE" (as reset()).""")
    clr_line = _line("CLR", """Drives CLR: "HIGH", "LOW" or "PULSE".""")

    monitor_enabled = Instrument.control(
        "MONitor:STATe?", "MONitor:STATe %d", """Whether the monitor multiplexer is on.""",
        validator=strict_choice, values=(True, False), get_process=lambda v: bool(int(v)),
        set_process=int)

    monitor_selection = Instrument.control(
        "MONitor:SELect?", "MONitor:SELect %s",
        """What the monitor shows: "IN0", "IN1" or a channel number.""",
        validator=monitor_item, values=(0, 15),
        get_process=lambda v: v if isinstance(v, str) else int(v))

    gpio_mode = Instrument.control(
        "GPIO:MODE?", "GPIO:MODE %s", """The GPIO pin: "INPUT", "LOW" or "HIGH".""",
        validator=strict_choice, values=("INPUT", "LOW", "HIGH"),
        get_process=lambda v: "INPUT" if v == "INP" else v)

    gpio_level = Instrument.measurement("GPIO:READ?", """The GPIO pin read back: 0 or 1.""",
                                        get_process=int)

    word = Instrument.control(
        "WORD?", "WORD %d",
        """The last 24-bit word sent to the board by any action; setting it sends any word
        directly to the chip (the direct load).""",
        validator=strict_code, values=(0, (1 << WORD_BITS) - 1), get_process=int)

    link = Instrument.measurement(
        "BOARd:LINK?", """The board link in use: "simulated", "library" or "usb".""")

    def __init__(self, resource="TCPIP::127.0.0.1::5025::SOCKET", name="DAC evaluation board",
                 **kwargs):
        # pyvisa's default terminations would leave every read waiting for its timeout.
        kwargs.setdefault("read_termination", "\n")
        kwargs.setdefault("write_termination", "\n")
        kwargs.setdefault("visa_library", "@py")
        kwargs.setdefault("timeout", 5000)
        super().__init__(resource, name, includeSCPI=True, **kwargs)
        self._link = CheckedLink(self.adapter.connection)
        self._read_identity()
        part = MODELS.get(self.model)
        if part is None:
            raise DacEvalError(0, f"the program serves a model this class does not know: "
                                  f"{self.model!r}", "*IDN?")
        self.part = part
        channel = channel_type(part.bits)
        self.channels = [channel(self, n) for n in range(part.channels)]
        self.reference_sets = [ReferenceSet(self, k) for k in range(part.references)]

    def _read_identity(self):
        # IEEE 488.2: manufacturer, model, serial number, version.
        fields = self.ask("*IDN?").strip().split(",")
        fields += [""] * (4 - len(fields))
        self.manufacturer, self.model, self.serial, self.version = fields[:4]

    # --- communication: each command with its error check in one round trip -----------------

    def write(self, command, **kwargs):
        """Sends `command`; raises DacEvalError with the program's words when it was refused."""
        self._link.write(command)

    def ask(self, command, query_delay=None):
        """The answer of the query `command` (without its line end; a definite-length block
        whole); DacEvalError at once when the program refused it, never a timeout."""
        answer = self._link.ask(command)
        return answer if answer.startswith("#") else answer.strip()

    def values(self, command, separator=",", cast=float, preprocess_reply=None, **kwargs):
        """The answer of `command` split at `separator`, each value cast where it can be."""
        reply = self.ask(command)
        if preprocess_reply is not None:
            reply = preprocess_reply(reply)
        return [_cast(v, cast) for v in reply.split(separator)]

    def check_errors(self):
        """Reads the program's error queue until it is empty and returns its entries, oldest
        first, as (code, text); each is logged."""
        return self._link.drain()

    def check_set_errors(self):
        return []  # every write was checked in its own round trip

    def check_get_errors(self):
        return []

    # --- board-wide actions -------------------------------------------------------------------

    def ldac(self):
        """Pulses LDAC: every channel's DAC register takes its X2A or X2B."""
        self.write("LDAC")

    def reset(self):
        """Pulses RESET: the chip and the program's register model back at power-on."""
        self.write("*RST")

    def clear(self):
        """Clears the status registers and the error queue."""
        self.write("*CLS")

    def reload(self):
        """"Reload USB": takes up a board plugged in since the program started."""
        self.write("BOARd:RELoad")

    def learn(self):
        """The whole setup as one line of commands (*LRN?) that restore() brings back."""
        return self.ask("*LRN?")

    def restore(self, setup):
        """Restores a setup that learn() gave, on this program or another of the same model."""
        self.write(setup.strip())

    # --- frames and sequences -------------------------------------------------------------------

    def frame(self, volts):
        """Sets several outputs together: {channel: volts}. Each value goes into the input
        register that feeds its channel, then one LDAC pulse changes every listed output at
        once. The program checks the frame as a whole: one refused value sends nothing."""
        self.write("FRAMe:VOLTage " + voltage_frame(volts))

    def frame_codes(self, codes):
        """As frame(), with codes: {channel: code}."""
        self.write("FRAMe:CODE " + code_frame(codes, self.channels[0].top))

    def sequence(self, frames, dwell, repeat=1, start=True):
        """Loads a sequence for the program to play in time: `frames` a list of {channel: volts},
        `dwell` the seconds each frame stands (one number, or one per frame), `repeat` the passes
        (math.inf for ever). The program checks every frame before it starts; nothing is sent if
        one is refused. Starts it unless start=False."""
        dwells = dwell if isinstance(dwell, (list, tuple)) else [dwell] * len(frames)
        if len(dwells) != len(frames):
            raise ValueError(f"{len(dwells)} dwell times for {len(frames)} frames")
        lines = [f"SEQuence:FRAMe {dwell_seconds(d)!r},{voltage_frame(f)}"
                 for f, d in zip(frames, dwells)]
        self.write("SEQuence:CLEar")
        for line in lines:
            self.write(line)
        self.write("SEQuence:REPeat " + repeat_text(repeat))
        if start:
            self.write("SEQuence:STARt")

    def stop_sequence(self):
        """Stops the sequence after the frame under way."""
        self.write("SEQuence:STOP")

    @property
    def sequence_state(self):
        """SequenceState(running, frame, repeat): the frame (from 1) and pass under way."""
        return parse_state(self.ask("SEQuence:STATe?"))

    @property
    def sequence_timing(self):
        """SequenceTiming(played, median_late, largest_late): frames played and how late their
        LDAC came against its due time, in seconds."""
        return parse_timing(self.ask("SEQuence:TIMing?"))

    def verify(self):
        """Reads the whole chip back and compares it with the program's register model: a list
        of Difference(channel, register, model, chip), empty when the chip holds what the
        program believes. Chip-wide registers have channel -1 (CONT, OFFS<k>, ABS<g>)."""
        self.ask("BOARd:VERify?")
        fields = self.ask("BOARd:VERify:LIST?").strip()
        groups = fields.split(",") if fields else []
        return [Difference(int(groups[i]), groups[i + 1], int(groups[i + 2]), int(groups[i + 3]))
                for i in range(0, len(groups), 4)]

    @property
    def id(self):
        return self.ask("*IDN?")

    def close(self):
        self.adapter.connection.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
