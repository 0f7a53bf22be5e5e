#pragma once
// An action that was refused: nothing was stored or sent. The window shows it as its message
// box, remote control as an error of the client that asked.

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
};

// nullopt when the action was carried out.
using Refused = std::optional<Refusal>;
