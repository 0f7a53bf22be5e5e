#pragma once
// The four registers of a channel that the operator writes, by name.

#include <cstdint>

#include "dac.h"

enum class ChannelRegister { X1A, X1B, M, C };

int32_t RegisterValue(const DAC& record, ChannelRegister reg);
void StoreRegister(DAC& record, ChannelRegister reg, int32_t code);
