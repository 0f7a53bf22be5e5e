"""How the class talks to the program: every setting and every query carries its error check in
the same write, so that each takes one round trip and a refusal is known at once.

The program answers a refused query with nothing, as SCPI says, and skips the rest of a line
after a command error. So the check goes on a line of its own after the command's line:

    setting:  "DAC9:X1A 100\\nSYST:ERR?"  -> one line, the error entry (0 when it ran)
    query:    "DAC9:X1A?\\nSYST:ERR?"     -> the answer then the entry, or only the entry

An answer of a query never has the form of an error entry with a negative code, so the first
line tells which of the two came back.
"""

import logging
import re

from .errors import DacEvalError, error_entry, refusal

log = logging.getLogger(__name__)
log.addHandler(logging.NullHandler())

_ERROR_QUERY = re.compile(r"^\s*:?SYST(EM)?:ERR(OR)?\b", re.IGNORECASE)
# A definite-length block, #<n><length><bytes>: its bytes may hold line ends.
_BLOCK = re.compile(r"^#([1-9])")


def asks_error_queue(command):
    """Whether `command` reads the error queue itself (its answer is an entry, not a value)."""
    return bool(_ERROR_QUERY.match(command))


class CheckedLink:
    """Checked writes and queries over a pyvisa resource with LF terminations."""

    def __init__(self, connection):
        self.connection = connection

    def _line(self):
        return self.connection.read()

    def _answer(self):
        """One answer: a line, or a definite-length block read whole across its line ends."""
        answer = self._line()
        block = _BLOCK.match(answer)
        if block:
            digits = int(block.group(1))
            length = int(answer[2:2 + digits] or 0)
            while len(answer.encode()) - 2 - digits < length:
                answer += "\n" + self._line()
        return answer

    def drain(self):
        """Reads the error queue until it is empty: [(code, text), ...], oldest first."""
        errors = []
        while True:
            self.connection.write("SYST:ERR?")
            entry = error_entry(self._line())
            if entry is None or entry[0] == 0:
                return errors
            log.error("dac-eval error %d: %s", *entry)
            errors.append(entry)

    def _raise(self, command, entry):
        # Whatever else the line queued goes too, so that the next command starts clean.
        self.drain()
        raise DacEvalError(entry[0], entry[1], command)

    def write(self, command):
        """Sends `command`; raises DacEvalError with the program's words when it was refused."""
        self.connection.write(f"{command}\nSYST:ERR?")
        entry = error_entry(self._line())
        if entry is None:
            raise DacEvalError(0, "the program answered a setting", command)
        if entry[0] != 0:
            self._raise(command, entry)

    def ask(self, command):
        """The answer of the query `command`; DacEvalError at once when the program refused it."""
        if asks_error_queue(command):
            self.connection.write(command)
            return self._line()
        self.connection.write(f"{command}\nSYST:ERR?")
        first = self._answer()
        refused = refusal(first)
        if refused is not None:
            self._raise(command, refused)
        entry = error_entry(self._line())
        if entry is not None and entry[0] != 0:
            self._raise(command, entry)
        return first
