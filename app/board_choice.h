#pragma once
// Which board link the program uses: the board maker's driver library where it loads, otherwise
// the built-in simulated board (always, with --simulate).

#include <memory>

#include "options.h"
#include "vendor_driver.h"

std::unique_ptr<VendorDriver> ChooseDriver(const Options& options);
