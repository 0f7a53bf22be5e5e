// The firmware download over the native link: the RAM image the emulated microcontroller ends up
// with, images refused before anything reaches the board, and the board's return under its IDs
// after the load.

#include <gtest/gtest.h>

#include "case_name.h"
#include "firmware_image.h"
#include "usb_link_fixture.h"
#include "usb_status_text.h"
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
        // The program knows two pairs: a board back under the first did not start its firmware.
        ComeBackCase{"UnderTheIdsBeforeTheLoad",
                     {kTestIds.beforeLoad, kTestIds.beforeLoad},
                     usb_status::kFirmwareNotRunning},
        // The firmware shows IDs this program was not configured with: it never finds the board.
        ComeBackCase{
            "UnderUnknownIds", {kTestIds.beforeLoad, {0x1234, 0x5678}}, usb_status::kBoardNotBack}),
    CaseName());

// A board whose firmware did not start comes back under the IDs it shows before the load: the
// load fails and says why, in the driver's words and in LoadUSB's failed-load message.
TEST_F(UsbLinkTest, BoardBackUnderItsIdsBeforeTheLoadHasNoFirmwareRunning) {
  EmulatedBoardSetup setup{4, kTestIds};
  setup.firmwareStarts = false;
  bus.addBoard(setup);
  BoardLink link(driver());
  FailedLoads failed;

  link.LoadUSB("ZR810", programFolder(PatternImage(0, 64, 5)), failed.callback());

  EXPECT_EQ(link.lastLoad().downloadStatus, usb_status::kFirmwareNotRunning);
  EXPECT_EQ(driver().statusText(link.lastLoad().downloadStatus),
            "the board came back without its firmware running");
  EXPECT_EQ(failed.texts, std::vector<std::string>{"No Evaluation Board Found"});
  EXPECT_EQ(bus.reenumerations(0), 1);
  EXPECT_FALSE(bus.firmwareRunning(0));
}

// With one pair for both (a board that keeps its IDs through the load) nothing tells whether
// the firmware started: the board back under that pair is taken as loaded.
TEST_F(UsbLinkTest, BoardThatKeepsItsIdsIsLoadedWhenTheProgramKnowsOnePair) {
  const BoardUsbIds onePair{kTestIds.beforeLoad, kTestIds.beforeLoad};
  bus.addBoard({4, onePair});
  UsbDriver sameIds(onePair, kTestTimings);
  int32_t handle = 0;
  ASSERT_EQ(sameIds.Connect(0, 0, 0, &handle), 0);
  std::string path = imageFile(IntelHexText(PatternImage(0, 64, 5)));
  std::vector<uint8_t> bytes(path.begin(), path.end());
  bytes.push_back(0);

  EXPECT_EQ(sameIds.Download_Firmware(handle, bytes.data()), 0);
  EXPECT_EQ(bus.reenumerations(0), 1);
}

struct PartwayCase {
  const char* name;
  bool releaseRefused;
  int16_t status;
  int cpuReleases;
  const char* words;
};

class UsbLoadPartway : public UsbLinkTest, public testing::WithParamInterface<PartwayCase> {};

// A RAM write that fails partway: the CPU is released before the failure is reported, or the
// failure says that it is still held.
TEST_P(UsbLoadPartway, ReleasesTheCpuOrSaysItIsHeld) {
  const PartwayCase& c = GetParam();
  EmulatedBoardSetup setup{2, kTestIds};
  setup.refusedRamWrite = 1;
  setup.releaseRefused = c.releaseRefused;
  bus.addBoard(setup);
  const int32_t handle = connect(0);

  const int16_t status = download(handle, imageFile(IntelHexText(PatternImage(0, 12000, 9))));

  EXPECT_EQ(status, c.status);
  EXPECT_EQ(driver().statusText(status), c.words);
  const LoadRecord loads = bus.loads(0);
  EXPECT_EQ(loads.cpuHolds, 1);
  EXPECT_EQ(loads.ramWrites, 1);
  EXPECT_EQ(loads.cpuReleases, c.cpuReleases);
}

INSTANTIATE_TEST_SUITE_P(
    Loads, UsbLoadPartway,
    testing::Values(PartwayCase{"CpuReleased", false, usb_status::kPipe, 1,
                                "the board refused the request"},
                    PartwayCase{"ReleaseRefusedToo", true, usb_status::kCpuHeld, 0,
                                "the firmware load failed partway and the board's microcontroller "
                                "is held in reset: unplug the board and plug it in again"}),
    CaseName());

// An image with more data than the program RAM is refused with the file's size and the limit,
// and the file is read no further than that: a malformed line after it is never reached.
TEST_F(UsbLinkTest, ImageLargerThanTheProgramRamIsRefusedBeforeTheRestIsRead) {
  plug(1);
  const int32_t handle = connect(0);
  std::string text = IntelHexText(PatternImage(0, kProgramRamBytes + 1, 4));
  text.insert(text.rfind(":00000001FF"), "this line is not Intel HEX\n");
  const std::string path = imageFile(text);

  const int16_t status = download(handle, path);

  EXPECT_EQ(status, usb_status::kFirmwareTooLarge);
  EXPECT_EQ(driver().statusText(status),
            "firmware image holds more than the board's program RAM of 16384 bytes (a file of " +
                std::to_string(std::filesystem::file_size(path)) + " bytes, not read further)");
  EXPECT_EQ(bus.loads(0).cpuHolds, 0);
  EXPECT_EQ(bus.loads(0).ramWrites, 0);
  // The program RAM exactly full is taken (the image case ProgramRamFull16KiB above).
  EXPECT_EQ(ReadFirmwareImage(imageFile(IntelHexText(PatternImage(0, kProgramRamBytes, 4)))).status,
            0);
}

}  // namespace
