#pragma once
// A setup as one line of the instrument's commands (the answer of *LRN?): sent back to a program
// of the same model, it makes the same writes as a restore from a setup file, in the same order,
// so that every register query then answers as it did.

#include <string>

#include "catalogue.h"
#include "saved_setup.h"

// Every unit starts at the root (":DAC9:X1A #H8000;:DAC9:M #HFFFF;..."), so that none depends on
// the header path the unit before it left. A reference that is not a number is left out.
std::string SetupLine(const SavedSetup& setup, const PartInfo& part);
