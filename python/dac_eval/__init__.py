"""PyMeasure instrument class for the DAC evaluation program's SCPI server.

Start the program with remote control (``dac-eval --headless --model ZR810`` without a window,
or ``dac-eval --remote`` beside it), then::

    from dac_eval import DacEval
    board = DacEval("TCPIP::127.0.0.1::5025::SOCKET")
    board.channels[9].x1a = 0x8000
    board.ldac()
    print(board.channels[9].voltage)
"""

from .channel import DacChannel
from .errors import DacEvalError
from .frames import SequenceState, SequenceTiming
from .instrument import DacEval, Difference
from .models import MODELS
from .reference_set import ReferenceSet

__all__ = ["DacEval", "DacChannel", "DacEvalError", "Difference", "ReferenceSet", "MODELS",
           "SequenceState", "SequenceTiming"]
__version__ = "1.06"
