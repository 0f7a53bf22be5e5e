// Which board link the program takes: the native USB link when a board with our IDs is attached,
// the simulated board otherwise or with --simulate; a board plugged in after a start on the
// simulated board is taken up at Reload USB, and a run on a board never moves to the simulation.

#include <gtest/gtest.h>

#include "board_choice.h"
#include "emulated_usb_bus.h"
#include "usb_driver.h"

namespace {

constexpr BoardUsbIds kIds{{0xfff0, 0x0820}, {0xfff0, 0x0821}};

Options WithTestIds(bool simulate = false) {
  Options options;
  options.usbIds = "fff0:0820,fff0:0821";
  options.simulate = simulate;
  return options;
}

bool OnUsb(const VendorDriver& driver) {
  return dynamic_cast<const UsbDriver*>(&driver) != nullptr;
}

TEST(BoardChoice, TakesTheNativeLinkWhenABoardIsAttached) {
  EmulatedUsbBus bus;
  bus.addBoard({1, kIds});
  BoardChoice boards(WithTestIds());
  EXPECT_TRUE(OnUsb(boards.initial()));
  BoardChoice simulated(WithTestIds(true));
  EXPECT_NE(dynamic_cast<SimulatedBoard*>(&simulated.initial()), nullptr);
}

TEST(BoardChoice, ABoardPluggedInLaterIsTakenUpAtReload) {
  EmulatedUsbBus bus;
  BoardChoice boards(WithTestIds());
  BoardLink link(boards.initial());
  ASSERT_NE(dynamic_cast<SimulatedBoard*>(&link.driver()), nullptr);
  boards.beforeReload(link);  // nothing plugged in yet
  EXPECT_NE(dynamic_cast<SimulatedBoard*>(&link.driver()), nullptr);

  const int board = bus.addBoard({2, kIds});
  boards.beforeReload(link);
  EXPECT_TRUE(OnUsb(link.driver()));

  // Gone again: the link stays on the native link, whose reload then finds no board.
  bus.unplug(board);
  boards.beforeReload(link);
  EXPECT_TRUE(OnUsb(link.driver()));
}

TEST(BoardChoice, ForcedSimulationTakesUpNothing) {
  EmulatedUsbBus bus;
  BoardChoice boards(WithTestIds(true));
  BoardLink link(boards.initial());
  bus.addBoard({1, kIds});
  boards.beforeReload(link);
  EXPECT_NE(dynamic_cast<SimulatedBoard*>(&link.driver()), nullptr);
}

}  // namespace
