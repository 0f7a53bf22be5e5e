"""The chip models the program serves, as a table: what a script may ask of each."""

from collections import namedtuple

Model = namedtuple("Model", "channels bits offset_dacs references monitor_channels")

# channels: numbered 0..channels-1 as the window labels them; bits: of every channel register;
# offset_dacs and references: how many of each the model shows; monitor_channels: the channels
# the monitor can select, 0 where the model has neither monitor nor GPIO pin.
MODELS = {
    "ZR810": Model(16, 16, 2, 2, 16),
    "ZR811": Model(16, 14, 2, 2, 16),
    "ZR812": Model(8, 16, 2, 2, 8),
    "ZR813": Model(8, 14, 2, 2, 8),
    "ZR820": Model(40, 16, 2, 3, 0),
    "ZR821": Model(40, 14, 3, 3, 0),
    "ZR822": Model(32, 16, 2, 2, 0),
    "ZR823": Model(32, 14, 2, 2, 0),
}

OFFSET_DAC_BITS = 14  # on every model
WORD_BITS = 24
