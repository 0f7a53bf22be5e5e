// A board that goes away or stops answering in the middle of a session: every request ends
// within its bound with a status whose words say what happened; after one request that runs out
// of time, the rest fail at once until a probe finds the board answering.

#include <gtest/gtest.h>

#include <chrono>

#include "usb_link_fixture.h"
#include "usb_status_text.h"
#include "usb_statuses.h"

namespace {

using Clock = std::chrono::steady_clock;

// A session on a board loaded through LoadUSB.
class UsbSession : public UsbLinkTest {
 protected:
  void SetUp() override {
    plug(2);
    link.LoadUSB("ZR810", programFolder(PatternImage(0, 512, 11)), failed.callback());
    ASSERT_TRUE(failed.texts.empty());
    link.SPIwrite(0xC80100);
    ASSERT_EQ(link.status(), 0);
  }
  // How long `action` took.
  template <typename Action>
  static Clock::duration Timed(Action action) {
    const auto start = Clock::now();
    action();
    return Clock::now() - start;
  }

  BoardLink link{driver()};
  FailedLoads failed;
};

TEST_F(UsbSession, UnpluggedBoardFailsFastAndReloadShowsTheFailedLoadMessage) {
  bus.unplug(0);
  for (int i = 0; i < 3; ++i) {
    const auto took = Timed([&] { link.SPIwrite(0xC80200 + i); });
    EXPECT_EQ(link.status(), usb_status::kNoDevice);
    EXPECT_LT(took, kTestTimings.requestTimeout);
  }
  link.SPIread();
  EXPECT_EQ(link.status(), usb_status::kNoDevice);
  EXPECT_EQ(RequestStatusText(link.status()), "board unplugged");

  link.LoadUSB("ZR810", programFolder(PatternImage(0, 512, 11)), failed.callback());
  EXPECT_EQ(failed.texts, std::vector<std::string>{"No Evaluation Board Found"});
  EXPECT_EQ(bus.chip(0).inputA[0], 0x0100);  // nothing after the unplug reached it
}

TEST_F(UsbSession, SilentBoardEndsOneRequestAtItsTimeoutFailsTheRestAtOnceUntilProbed) {
  bus.stopAnswering(0);
  const auto first = Timed([&] { link.SPIwrite(0xC80300); });
  EXPECT_EQ(link.status(), usb_status::kTimeout);
  EXPECT_GE(first, kTestTimings.requestTimeout);
  EXPECT_LT(first, 4 * kTestTimings.requestTimeout);
  EXPECT_EQ(RequestStatusText(link.status()), "no answer within 1 s");
  EXPECT_TRUE(driver().boardSilent());
  for (const bool read : {false, true}) {
    const auto took =
        Timed([&] { read ? static_cast<void>(link.SPIread()) : link.SPIwrite(0xC80301); });
    EXPECT_EQ(link.status(), usb_status::kBoardSilent);
    EXPECT_LT(took, kTestTimings.requestTimeout / 10);
  }
  EXPECT_EQ(driver().statusText(usb_status::kBoardSilent).rfind("board not answering since ", 0),
            0u);
  EXPECT_FALSE(driver().probeBoard());

  bus.answerAgain(0);
  link.SPIwrite(0xC80400);
  EXPECT_EQ(link.status(), usb_status::kBoardSilent);  // not sent: the mark stands
  EXPECT_TRUE(driver().probeBoard());
  EXPECT_FALSE(driver().boardSilent());
  link.SPIwrite(0xC80400);
  EXPECT_EQ(link.status(), 0);
  EXPECT_EQ(bus.chip(0).inputA[0], 0x0400);
}

TEST_F(UsbSession, RequestOutsideTheTransferFieldsIsRefusedBeforeReachingTheBoard) {
  uint8_t data[8]{};
  const SimulatedChip before = bus.chip(0);
  struct Bad {
    int32_t value, index, length;
    uint8_t direction;
  };
  for (const Bad bad : {Bad{0x10000, 0, 0, 0}, Bad{0, -1, 0, 0}, Bad{0, 0, -1, 0},
                        Bad{0, 0, 4097, 0}, Bad{0, 0, 0, 2}}) {
    EXPECT_EQ(driver().Vendor_Request(link.handle(), 0xDD, bad.value, bad.index, bad.direction,
                                      bad.length, data),
              usb_status::kInvalidParam);
  }
  EXPECT_EQ(bus.chip(0), before);
}

}  // namespace
