"""The program's error entries and the error raised for them."""

import re

# An entry of the program's error queue as SYST:ERR? answers it: <code>,"<text>".
_ENTRY = re.compile(r'^(-?\d+),"(.*)"$', re.DOTALL)


class DacEvalError(Exception):
    """An error the program queued: its SCPI code and its own words."""

    def __init__(self, code, text, command=None):
        where = f"{command}: " if command else ""
        super().__init__(f'{where}{code},"{text}"')
        self.code = code
        self.text = text
        self.command = command


def error_entry(line):
    """(code, text) when `line` is an entry of the error queue, else None."""
    match = _ENTRY.match(line.strip())
    if not match:
        return None
    return int(match.group(1)), match.group(2)


def refusal(line):
    """(code, text) when `line` is an entry of the error queue that reports an error (a negative
    code: the program's codes are SCPI's), else None. No reply of any other query has that form."""
    entry = error_entry(line)
    if entry is None or entry[0] >= 0:
        return None
    return entry
