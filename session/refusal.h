#pragma once
// An action that was refused: nothing was stored or sent. The window shows it as its message
// box, remote control as an error of the client that asked.

#include <cstdint>
#include <optional>
#include <string>

struct Refusal {
  enum class Kind {
    OutOfRange,  // a value the register or the model cannot take
    Conflict,    // a control the model does not have, or one the present settings lock
  };
  Kind kind = Kind::OutOfRange;
  std::string text;
  std::string title;  // empty: shown under the program's own title
  // For remote clients, a value out of range with the range it has to lie in ("16384 is outside
  // 0 to 16383 (14-bit model)"); empty when `text` says it all. The window keeps `text`.
  std::string range = {};
};

// "<value> is outside <low> to <high> (<what>)".
std::string OutsideRange(int64_t value, int64_t low, int64_t high, const std::string& what);

// nullopt when the action was carried out.
using Refused = std::optional<Refusal>;
