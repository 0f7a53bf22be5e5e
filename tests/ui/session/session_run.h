#pragma once
// A seeded random operator session at a window: after every action the board has seen exactly
// the words and requests the action calls for, the displays show the selected record, and the
// chip holds what the program's register model says. A failure prints the last actions.

#include <QString>

#include "ui_test_support.h"

namespace session {

// The first disagreement, named with the seed, the model and the action number; empty when every
// action agreed.
QString RunRandomSession(WindowUnderTest& w, int part, unsigned seed, int actions);

}  // namespace session
