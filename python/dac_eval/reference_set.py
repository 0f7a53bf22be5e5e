"""A reference set of the chip: its offset DAC and its reference voltage, board.reference_sets[k]."""

from pymeasure.instruments import Instrument

from .models import OFFSET_DAC_BITS
from .validators import strict_code, strict_volts


class ReferenceSet:
    """Reference set `id`: offset DAC k and VREFk, shared by the channels the set covers. A set
    the model does not show is refused by the program (DacEvalError)."""

    offset_dac = Instrument.control(
        "OFFSet{ch}?", "OFFSet{ch} %d", """Offset DAC k's code (14 bits on every model).""",
        validator=strict_code, values=(0, (1 << OFFSET_DAC_BITS) - 1), get_process=int)

    reference = Instrument.control(
        "REFerence{ch}?", "REFerence{ch} %s",
        """Reference voltage VREFk (V) of the output voltages; never sent to the board.""",
        validator=strict_volts, set_process=repr)

    def __init__(self, parent, id):
        self.parent = parent
        self.id = id

    def write(self, command):
        self.parent.write(command.replace("{ch}", str(self.id)))

    def values(self, command, **kwargs):
        return self.parent.values(command.replace("{ch}", str(self.id)), **kwargs)

    def check_errors(self):
        return self.parent.check_errors()

    def check_set_errors(self):
        return []

    def check_get_errors(self):
        return []

    def __repr__(self):
        return f"ReferenceSet({self.id})"
