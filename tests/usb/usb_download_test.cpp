// The firmware download over the native link: the RAM image the emulated microcontroller ends up
// with, images refused before anything reaches the board, and the board's return under its IDs
// after the load.

#include <gtest/gtest.h>

#include "case_name.h"
#include "usb_link_fixture.h"
#include "usb_statuses.h"

namespace {

struct ImageCase {
  const char* name;
  std::vector<HexRecord> records;
  bool releaseAnswersError;
};

class UsbDownload : public UsbLinkTest, public testing::WithParamInterface<ImageCase> {};

TEST_P(UsbDownload, RamEqualsTheFileByteForByteAndTheBoardComesBackUnderTheSameHandle) {
  const ImageCase& c = GetParam();
  bus.addBoard({2, kTestIds, false, c.releaseAnswersError});
  const int32_t handle = connect(0);
  ASSERT_GT(handle, 0);

  ASSERT_EQ(download(handle, imageFile(IntelHexText(c.records))), 0);

  std::vector<uint8_t> expected(EmulatedMicrocontroller::kAddressSpace, 0);
  for (const HexRecord& record : c.records)
    std::copy(record.bytes.begin(), record.bytes.end(), expected.begin() + record.address);
  EXPECT_EQ(bus.memory(0), expected);
  const LoadRecord loads = bus.loads(0);
  EXPECT_EQ(loads.cpuHolds, 1);
  EXPECT_EQ(loads.cpuReleases, 1);
  EXPECT_EQ(loads.ramWritesWhileRunning, 0);
  EXPECT_EQ(bus.reenumerations(0), 1);
  EXPECT_TRUE(bus.firmwareRunning(0));
  // The same handle reaches the board running its firmware.
  uint8_t none = 0;
  EXPECT_EQ(driver().Vendor_Request(handle, 0xDD, 0x1234, 0xC8, 0, 0, &none), 0);
  EXPECT_EQ(bus.chip(0).inputA[0], 0x1234);
}

std::vector<HexRecord> Scattered() {
  std::vector<HexRecord> records = PatternImage(0x1000, 40, 3, 7);
  const std::vector<HexRecord> low = PatternImage(0x0000, 300, 4, 16);
  records.insert(records.end(), low.begin(), low.end());
  records.push_back({0x3FF0, std::vector<uint8_t>(16, 0xA5)});
  records.push_back({0xE000, {1, 2, 3}});  // data RAM beside the program RAM
  return records;
}

INSTANTIATE_TEST_SUITE_P(
    Images, UsbDownload,
    testing::Values(ImageCase{"ProgramRamFull16KiB", PatternImage(0, 16384, 1), false},
                    ImageCase{"ScatteredRecordsOutOfOrder", Scattered(), false},
                    ImageCase{"ReleaseWriteEndsInIoError", PatternImage(0x100, 1000, 2), true}),
    CaseName());

struct RefusedCase {
  const char* name;
  std::string text;  // empty: the file is missing; "/": the path is a folder
  int16_t status;
};

class UsbRefusedImage : public UsbLinkTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(UsbRefusedImage, GetsItsOwnStatusAndNothingReachesTheBoard) {
  const RefusedCase& c = GetParam();
  plug(1);
  const int32_t handle = connect(0);
  std::string path = imageFile(c.text);
  if (c.text.empty()) std::filesystem::remove(path);
  if (c.text == "/") path = std::filesystem::temp_directory_path().string();

  EXPECT_EQ(download(handle, path), c.status);

  EXPECT_EQ(bus.loads(0).cpuHolds, 0);
  EXPECT_EQ(bus.loads(0).ramWrites, 0);
  EXPECT_EQ(bus.memory(0), std::vector<uint8_t>(EmulatedMicrocontroller::kAddressSpace, 0));
  EXPECT_EQ(bus.reenumerations(0), 0);
}

const std::string kGoodLine = ":0400000001020304F2\n";

INSTANTIATE_TEST_SUITE_P(
    Files, UsbRefusedImage,
    testing::Values(RefusedCase{"Missing", "", usb_status::kFirmwareMissing},
                    RefusedCase{"Folder", "/", usb_status::kFirmwareUnreadable},
                    RefusedCase{"BadChecksum", ":0400000001020304F3\n:00000001FF\n",
                                usb_status::kFirmwareMalformed},
                    RefusedCase{"NoEndRecord", kGoodLine, usb_status::kFirmwareMalformed},
                    RefusedCase{"OnCpuControlRegister", IntelHexText({{0xE5FF, {1, 2}}}),
                                usb_status::kFirmwareOutOfRange},
                    RefusedCase{"BeyondSixteenBits",
                                ":020000040001F9\n" + kGoodLine + ":00000001FF\n",
                                usb_status::kFirmwareOutOfRange}),
    CaseName());

struct ComeBackCase {
  const char* name;
  BoardUsbIds boardIds;  // what the emulated board shows before and after its load
  int16_t status;
};

class UsbComeBack : public UsbLinkTest, public testing::WithParamInterface<ComeBackCase> {};

TEST_P(UsbComeBack, DownloadEndsWhenTheBoardIsBackOrWithinItsBound) {
  const ComeBackCase& c = GetParam();
  bus.addBoard({4, c.boardIds});
  const int32_t handle = connect(0);
  ASSERT_GT(handle, 0);

  EXPECT_EQ(download(handle, imageFile(IntelHexText(PatternImage(0, 64, 5)))), c.status);

  EXPECT_EQ(bus.reenumerations(0), 1);
  uint8_t none = 0;
  const int16_t request = driver().Vendor_Request(handle, 0xE0, 0, 0, 0, 0, &none);
  EXPECT_EQ(request, c.status == 0 ? 0 : usb_status::kNoDevice);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, UsbComeBack,
    testing::Values(
        ComeBackCase{"UnderNewIds", kTestIds, 0},
        ComeBackCase{"UnderTheSameIds", {kTestIds.beforeLoad, kTestIds.beforeLoad}, 0},
        // The firmware shows IDs this program was not configured with: it never finds the board.
        ComeBackCase{
            "UnderUnknownIds", {kTestIds.beforeLoad, {0x1234, 0x5678}}, usb_status::kBoardNotBack}),
    CaseName());

}  // namespace
