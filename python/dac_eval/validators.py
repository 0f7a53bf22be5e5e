"""Validators in PyMeasure's form, validator(value, values), for what the program takes."""

import numbers

from pymeasure.instruments.validators import strict_discrete_set, strict_range


def strict_code(value, values):
    """A register code: an integer (not a bool, not 1.7) within the range `values` (min, max)."""
    if isinstance(value, bool) or not isinstance(value, numbers.Integral):
        raise ValueError(f"Value of {value!r} is not an integer code")
    return int(strict_range(value, values))


def strict_volts(value, values):
    """A voltage: a real number, finite; the program answers whether a code comes near it."""
    if isinstance(value, bool) or not isinstance(value, numbers.Real) or value != value \
            or value in (float("inf"), float("-inf")):
        raise ValueError(f"Value of {value!r} is not a finite voltage")
    return float(value)


def strict_choice(value, values):
    """One of `values`, any case; returned as written in `values`."""
    if isinstance(value, str):
        for choice in values:
            if choice.upper() == value.upper():
                return choice
    return strict_discrete_set(value, values)


def monitor_item(value, values):
    """The monitor's selection: "IN0", "IN1" or a channel number within `values` (0..n-1)."""
    if isinstance(value, str) and value.upper() in ("IN0", "IN1"):
        return value.upper()
    return strict_code(value, values)
