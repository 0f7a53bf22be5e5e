// Finding and opening boards over the native link: none, two in port order and the board
// choice, a node without permission, and repeated connects.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "usb_link_fixture.h"
#include "usb_status_text.h"
#include "usb_statuses.h"

namespace {

std::size_t OpenFiles() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++count;
  return count;
}

// The open files once the emulation has closed its side of every node the program closed (it
// does so on its own thread, a little later): at most `expected` unless some stay open.
std::size_t OpenFilesSettled(std::size_t expected) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  std::size_t open = OpenFiles();
  while (open > expected && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    open = OpenFiles();
  }
  return open;
}

TEST_F(UsbLinkTest, NoBoardIsFoundNorOpenedAndLoadUsbShowsTheFailedLoadMessage) {
  int32_t count = -1;
  std::array<uint8_t, 128> list{};
  EXPECT_EQ(driver().Search_For_Boards(0, 0, &count, list.data()), usb_status::kNotFound);
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(driver().boardAttached());
  int16_t status = 0;
  EXPECT_EQ(connect(0, &status), 0);
  EXPECT_EQ(status, usb_status::kNotFound);

  BoardLink link(driver());
  FailedLoads failed;
  link.LoadUSB("ZR810", programFolder(PatternImage(0, 16, 1)), failed.callback());
  EXPECT_EQ(failed.texts, std::vector<std::string>{"No Evaluation Board Found"});
  EXPECT_EQ(link.status(), usb_status::kNoDevice);  // the start request: no board open
}

struct ChoiceCase {
  const char* name;
  int choice;
  int loadedBoard;  // the emulated board that gets the firmware; -1: none
};

class UsbBoardChoice : public UsbLinkTest, public testing::WithParamInterface<ChoiceCase> {};

// Two boards plugged in in the opposite order of their ports: the list is in port order.
TEST_P(UsbBoardChoice, TakesTheChosenBoardInPortOrder) {
  const ChoiceCase& c = GetParam();
  const int atPort3 = plug(3);
  const int atPort1 = plug(1);
  const int byPort[] = {atPort1, atPort3};
  int32_t count = 0;
  std::array<uint8_t, 128> list{};
  ASSERT_EQ(driver().Search_For_Boards(0, 0, &count, list.data()), 0);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(list[0], 0);
  EXPECT_EQ(list[1], 1);

  BoardLink link(driver());
  ASSERT_TRUE(link.setBoardChoice(c.choice));
  FailedLoads failed;
  link.LoadUSB("ZR810", programFolder(PatternImage(0, 256, 9)), failed.callback());
  link.SPIwrite(0xC81234);

  for (int port = 0; port < 2; ++port) {
    const int board = byPort[port];
    const bool chosen = port == c.loadedBoard;
    EXPECT_EQ(bus.reenumerations(board), chosen ? 1 : 0) << "port index " << port;
    EXPECT_EQ(bus.chip(board).inputA[0], chosen ? std::optional<uint16_t>(0x1234) : std::nullopt);
  }
  if (c.loadedBoard < 0) {
    EXPECT_EQ(failed.texts, std::vector<std::string>{"No Evaluation Board Found"});
  } else {
    EXPECT_TRUE(failed.texts.empty());
    EXPECT_EQ(driver().description(),
              "USB board on bus 1, port " + std::string(c.loadedBoard == 0 ? "1" : "3"));
  }
}

INSTANTIATE_TEST_SUITE_P(Choices, UsbBoardChoice,
                         testing::Values(ChoiceCase{"FirstByDefault", 0, 0},
                                         ChoiceCase{"Second", 1, 1},
                                         ChoiceCase{"BeyondTheBoardsFound", 2, -1}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(UsbLinkTest, NodeWithoutPermissionIsNotOpenedAndTheWordsNameTheRule) {
  plug(1);
  bus.denyPermission(0);
  EXPECT_TRUE(driver().boardAttached());  // listed from sysfs: no node opened
  int16_t status = 0;
  EXPECT_EQ(connect(0, &status), 0);
  EXPECT_EQ(status, usb_status::kAccess);
  EXPECT_EQ(RequestStatusText(status),
            "no permission to open the board: see the README (udev rule 60-dac-eval.rules)");
}

TEST_F(UsbLinkTest, RepeatedConnectReleasesTheEarlierHandle) {
  plug(1, true);
  const int32_t first = connect(0);
  const std::size_t openWithOne = OpenFiles();
  int32_t last = first;
  for (int i = 0; i < 40; ++i) {
    const int32_t handle = connect(0);
    ASSERT_GT(handle, 0);
    ASSERT_NE(handle, last);
    last = handle;
  }
  EXPECT_LE(OpenFilesSettled(openWithOne), openWithOne);
  uint8_t none = 0;
  EXPECT_EQ(driver().Vendor_Request(first, 0xE0, 0, 0, 0, 0, &none), usb_status::kNoDevice);
  EXPECT_EQ(driver().Vendor_Request(last, 0xE0, 0, 0, 0, 0, &none), 0);
}

}  // namespace
