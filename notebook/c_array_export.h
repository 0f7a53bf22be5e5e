#pragma once
// The 24-bit words of the request log, oldest first, as a C array to paste into firmware:
//
//   static const uint32_t words[] = {
//       0x0C2000, 0x4C8000, ...
//   };
//   static const size_t word_count = 2;
//
// with a comment above naming the model and any words whose request failed at the board.

#include <optional>
#include <string>

#include "request_log.h"

// nullopt when the log holds no word: C has no empty array.
std::optional<std::string> WordsAsCArray(const RequestLog& log);
