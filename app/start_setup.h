#pragma once
// --setup FILE: the file read and checked before anything starts, so that a refused file ends
// the program before anything reaches the board; the model comes from the file when --model
// does not name it.

#include <optional>
#include <string>

#include "options.h"
#include "saved_setup.h"

struct StartSetup {
  std::optional<SavedSetup> setup;  // nothing without --setup
  std::string error;                // one line, when the file is refused
};

// Sets options.model to the file's model when it was not given.
StartSetup ReadStartSetup(Options& options);
