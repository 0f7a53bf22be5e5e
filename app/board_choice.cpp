#include "board_choice.h"

#include "library_driver.h"
#include "simulated_board.h"

std::unique_ptr<VendorDriver> ChooseDriver(const Options& options) {
  if (!options.simulate) {
    auto library = std::make_unique<LibraryDriver>();
    if (library->Load()) return library;
  }
  return std::make_unique<SimulatedBoard>();
}
