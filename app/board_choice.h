#pragma once
// Which board link the program uses: the board maker's driver library where it loads (the
// Windows route), otherwise the native USB link when a board with our IDs is attached, otherwise
// the built-in simulated board. --simulate takes the simulated board whatever is attached.
//
// A run that started on the simulated board takes up a board plugged in later at Reload USB. A
// run on a real board never moves to the simulation: if its board is gone at a reload, the
// failed-load message says so.

#include <memory>
#include <string>

#include "board_link.h"
#include "options.h"
#include "simulated_board.h"

class LibraryDriver;
class UsbDriver;

class BoardChoice {
 public:
  // The options' --usb-id text has been checked when they were read.
  explicit BoardChoice(const Options& options);
  ~BoardChoice();
  BoardChoice(const BoardChoice&) = delete;
  BoardChoice& operator=(const BoardChoice&) = delete;

  // The link to start on.
  VendorDriver& initial();
  // At Reload USB: moves `link` from the simulated board to the native USB link when a board is
  // attached now. Nothing changes on any other link.
  void beforeReload(BoardLink& link);

 private:
  bool usbBoardAttached();

  bool simulateOnly_;
  std::unique_ptr<LibraryDriver> library_;
  std::unique_ptr<UsbDriver> usb_;
  SimulatedBoard simulated_;
};
