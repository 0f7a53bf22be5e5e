#pragma once
// Channel numbers as the window labels them and the operator counts them, and the channel
// records behind them: the 8-channel models keep their channels 4 to 7 in records 8 to 11.

#include "catalogue.h"

// The record of channel `n` on the model, or -1 when the model has no channel n.
int RecordOfChannel(const PartInfo* part, int n);

// The channel number of record `dac` (its inverse), or -1 for a record the model does not use.
int ChannelOfRecord(const PartInfo* part, int dac);
