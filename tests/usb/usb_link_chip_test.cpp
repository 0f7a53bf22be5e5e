// Words, readbacks and line requests sent through BoardLink over the native link reach the
// emulated board's chip exactly as they reach the built-in simulated board's.

#include <gtest/gtest.h>

#include <random>

#include "request_codes.h"
#include "simulated_board.h"
#include "usb_link_fixture.h"

namespace {

TEST_F(UsbLinkTest, RandomSessionLeavesTheSameChipAsTheSimulatedBoard) {
  plug(5);
  BoardLink usb(driver());
  SimulatedBoard simulated;
  BoardLink reference(simulated);
  FailedLoads failed;
  usb.LoadUSB("ZR810", programFolder(PatternImage(0, 2048, 13)), failed.callback());
  reference.LoadUSB("ZR810", "unused", nullptr);
  ASSERT_TRUE(failed.texts.empty());

  const Request lines[] = {Request::ResetHigh, Request::ResetLow, Request::ClrHigh, Request::ClrLow,
                           Request::LdacPulse, Request::LdacHigh, Request::LdacLow};
  std::mt19937 random(2024);
  for (int step = 0; step < 400; ++step) {
    const unsigned kind = random() % 8;
    if (kind < 5) {
      // Words from the chip's whole 24-bit space, readback selections included.
      const auto word = static_cast<int32_t>(random() & 0xFFFFFF);
      usb.SPIwrite(word);
      reference.SPIwrite(word);
    } else if (kind < 7) {
      const Request line = lines[random() % std::size(lines)];
      usb.LineRequest(line);
      reference.LineRequest(line);
    } else {
      ASSERT_EQ(usb.SPIread(), reference.SPIread()) << "step " << step;
    }
    ASSERT_EQ(usb.status(), 0) << "step " << step;
  }
  EXPECT_EQ(bus.chip(0), simulated.chip());
}

}  // namespace
