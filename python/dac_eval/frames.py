"""Frames (many channels changed together by one LDAC) and sequences of frames played in time by
the program, in the SCPI forms FRAMe:VOLTage, FRAMe:CODE and SEQuence:*."""

import collections
import math

from .validators import strict_code, strict_volts

SequenceState = collections.namedtuple("SequenceState", "running frame repeat")
SequenceTiming = collections.namedtuple("SequenceTiming", "played median_late largest_late")


def channel_list(channels):
    """SCPI's channel list of `channels`: (@3,7,9)."""
    return "(@" + ",".join(str(int(ch)) for ch in channels) + ")"


def voltage_frame(frame):
    """"(@3,7),1.25,-2.0" for {3: 1.25, 7: -2.0}; ValueError for a voltage that is not finite."""
    if not frame:
        raise ValueError("a frame needs at least one channel")
    volts = [repr(strict_volts(v, None)) for v in frame.values()]
    return channel_list(frame.keys()) + "," + ",".join(volts)


def code_frame(frame, top):
    """"(@3,7),4660,0" for {3: 0x1234, 7: 0}; ValueError for a code outside 0..top."""
    if not frame:
        raise ValueError("a frame needs at least one channel")
    codes = [str(strict_code(c, (0, top))) for c in frame.values()]
    return channel_list(frame.keys()) + "," + ",".join(codes)


def dwell_seconds(dwell):
    """A frame's dwell: a finite number of seconds, at least a millisecond."""
    seconds = strict_volts(dwell, None)
    if seconds < 0.001:
        raise ValueError(f"a dwell of {dwell!r} s is shorter than 1 ms")
    return seconds


def repeat_text(repeat):
    """SEQuence:REPeat's parameter: a pass count from 1, or INF for math.inf / None."""
    if repeat is None or repeat == math.inf:
        return "INF"
    return str(strict_code(repeat, (1, 2**31 - 1)))


def parse_state(text):
    """SEQuence:STATe? as SequenceState: IDLE, or RUNNING,<frame>,<pass>."""
    fields = text.strip().split(",")
    if fields[0] != "RUNNING":
        return SequenceState(False, 0, 0)
    return SequenceState(True, int(fields[1]), int(fields[2]))


def parse_timing(text):
    """SEQuence:TIMing? as SequenceTiming (frames played, lateness median and largest, s)."""
    played, median, largest = text.strip().split(",")
    return SequenceTiming(int(played), float(median), float(largest))
