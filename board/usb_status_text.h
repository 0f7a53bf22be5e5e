#pragma once
// A request's status in words for the status bar: "board unplugged", "no answer within 1 s",
// "no permission to open the board: see the README (udev rule 60-dac-eval.rules)", ...

#include <cstdint>
#include <optional>
#include <string>

// Empty for 0 (the request went through); a plain text with the number for statuses that have
// no words of their own.
std::string RequestStatusText(int16_t status);

// The refusal of an image larger than the program RAM, with the size of its file when known.
std::string FirmwareTooLargeText(std::optional<std::uintmax_t> fileBytes);
