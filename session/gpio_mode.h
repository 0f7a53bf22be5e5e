#pragma once
// The GPIO pin's mode, as the chip's GPIO word sets it.

enum class GpioMode { Input = 0, OutputLow = 1, OutputHigh = 2 };
