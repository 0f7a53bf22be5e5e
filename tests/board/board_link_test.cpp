// The connection sequence and the word, readback and line transport of BoardLink.

#include "board_link.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "case_name.h"
#include "fake_driver.h"
#include "simulated_board.h"

namespace {

using Call = FakeDriver::Call;
using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// Every failed-load message shown: text and title.
struct ReportLog {
  std::vector<std::pair<std::string, std::string>> shown;
  BoardLink::FailedLoadReport callback() {
    return [this](const std::string& text, const std::string& title) {
      shown.emplace_back(text, title);
    };
  }
};

TEST(LoadUSB, SearchesConnectsDownloadsAndStartsInOrder) {
  FakeDriver driver;
  BoardLink link(driver);
  ReportLog reports;

  const LoadResult result = link.LoadUSB("ZR810", "C:\\Eval", reports.callback());

  ASSERT_EQ(driver.functions(), (std::vector<std::string>{"Search_For_Boards", "Connect",
                                                          "Download_Firmware", "Vendor_Request"}));
  EXPECT_EQ(driver.calls[0],
            (Call{"Search_For_Boards", {BoardVendorId, BoardProductId}, {}, 0, 0}));
  EXPECT_EQ(driver.calls[1], (Call{"Connect", {BoardVendorId, BoardProductId, 5}, {}}));
  EXPECT_EQ(driver.calls[2],
            (Call{"Download_Firmware", {0x4321}, BytesOf("C:\\Eval\\ZR821SPI.hex")}));
  EXPECT_EQ(driver.calls[3], (Call{"Vendor_Request", {0x4321, 0xE0, 0, 0, 0, 0}, {0}}));
  EXPECT_TRUE(reports.shown.empty());
  EXPECT_EQ(result, (LoadResult{.handle = 0x4321}));
  EXPECT_EQ(link.lastLoad(), result);
  EXPECT_EQ(link.handle(), 0x4321);
  EXPECT_EQ(link.firmwarePath(), "C:\\Eval\\ZR821SPI.hex");
}

struct FailedLoadCase {
  const char* name;
  int16_t downloadStatus;
  const char* partName;
  const char* title;  // nullptr: no message
};

class LoadUSBFailedLoad : public testing::TestWithParam<FailedLoadCase> {};

TEST_P(LoadUSBFailedLoad, ReportsOnceAndStillStarts) {
  const FailedLoadCase& c = GetParam();
  FakeDriver driver;
  driver.downloadStatus = c.downloadStatus;
  driver.requestStatus = 3;
  BoardLink link(driver);
  ReportLog reports;

  const LoadResult result = link.LoadUSB(c.partName, "C:\\Eval", reports.callback());

  if (c.title == nullptr) {
    EXPECT_TRUE(reports.shown.empty());
  } else {
    ASSERT_EQ(reports.shown.size(), 1u);
    EXPECT_EQ(reports.shown[0].first, "No Evaluation Board Found");
    EXPECT_EQ(reports.shown[0].second, c.title);
  }
  ASSERT_EQ(driver.calls.size(), 4u);
  EXPECT_EQ(driver.calls[3].arguments[1], 0xE0);
  EXPECT_EQ(link.status(), 3);  // the start request's status is the last one stored
  // Search and connect succeeded: the download is the step that failed, if one did.
  EXPECT_EQ(result, (LoadResult{.handle = 0x4321,
                                .status = 3,
                                .downloadStatus = c.downloadStatus,
                                .failure = c.downloadStatus}));
  EXPECT_EQ(result.loaded(), c.title == nullptr);
}

INSTANTIATE_TEST_SUITE_P(Statuses, LoadUSBFailedLoad,
                         testing::Values(FailedLoadCase{"Loaded", 0, "ZR810", nullptr},
                                         FailedLoadCase{"Positive", 7, "ZR812", "ZR812: 7"},
                                         FailedLoadCase{"Negative", -4, "ZR821", "ZR821: -4"},
                                         FailedLoadCase{"Lowest", -32768, "ZR823",
                                                        "ZR823: -32768"}),
                         CaseName());

TEST(LoadUSB, WithSimulatedBoardAttached) {
  SimulatedBoard board;
  BoardLink link(board);
  ReportLog reports;

  EXPECT_EQ(link.LoadUSB("ZR810", "C:\\Eval", reports.callback()), (LoadResult{.handle = 1}));

  EXPECT_TRUE(reports.shown.empty());
  EXPECT_EQ(link.handle(), 1);
  EXPECT_EQ(board.downloads(), (std::vector<std::string>{"C:\\Eval\\ZR821SPI.hex"}));
  EXPECT_EQ(board.requests(),
            (std::vector<SimulatedBoard::RecordedRequest>{{0xE0, 0, 0, 0, 0, {0}}}));
}

TEST(LoadUSB, WithoutBoardReportsDownloadStatusAndStillStarts) {
  SimulatedBoard board;
  board.setBoardAttached(false);
  BoardLink link(board);
  ReportLog reports;

  const LoadResult result = link.LoadUSB("ZR810", "C:\\Eval", reports.callback());

  EXPECT_EQ(reports.shown, (std::vector<std::pair<std::string, std::string>>{
                               {"No Evaluation Board Found", "ZR810: -4"}}));
  const int16_t none = SimulatedBoard::kNoBoardStatus;
  EXPECT_EQ(result, (LoadResult{0, none, none, none}));
  EXPECT_FALSE(link.lastLoad().loaded());
  EXPECT_EQ(link.handle(), 0);
  EXPECT_EQ(board.downloads().size(), 1u);
  EXPECT_EQ(board.requests(),
            (std::vector<SimulatedBoard::RecordedRequest>{{0xE0, 0, 0, 0, 0, {0}}}));
}

// Firmware paths: the folder as the platform gives it (UTF-8), the bytes the driver receives.
struct PathCase {
  const char* name;
  std::string folder;
  bool accepted;
  std::string latin1Path;  // the bytes passed to Download_Firmware when accepted
};

class FirmwarePathTest : public testing::TestWithParam<PathCase> {};

TEST_P(FirmwarePathTest, PassedAsLatin1OrRefused) {
  const PathCase& c = GetParam();
  FakeDriver driver;
  BoardLink link(driver);
  ReportLog reports;

  link.LoadUSB("ZR811", c.folder, reports.callback());

  EXPECT_EQ(link.firmwarePath(), c.folder + "\\ZR821SPI.hex");
  if (c.accepted) {
    ASSERT_EQ(driver.functions(),
              (std::vector<std::string>{"Search_For_Boards", "Connect", "Download_Firmware",
                                        "Vendor_Request"}));
    EXPECT_EQ(driver.calls[2].bytes, BytesOf(c.latin1Path));
    EXPECT_TRUE(reports.shown.empty());
  } else {
    EXPECT_EQ(driver.functions(),
              (std::vector<std::string>{"Search_For_Boards", "Connect", "Vendor_Request"}));
    EXPECT_EQ(driver.calls.back().arguments[1], 0xE0);
    EXPECT_EQ(reports.shown, (std::vector<std::pair<std::string, std::string>>{
                                 {"No Evaluation Board Found", "ZR811: -2"}}));
    EXPECT_EQ(link.lastLoad().downloadStatus, kPathRefusedStatus);
  }
}

const std::string k499(499, 'a');  // with "\ZR821SPI.hex" a path of 512 characters

INSTANTIATE_TEST_SUITE_P(
    Paths, FirmwarePathTest,
    testing::Values(PathCase{"Plain", "C:\\Program Files\\Eval", true,
                             "C:\\Program Files\\Eval\\ZR821SPI.hex"},
                    PathCase{"FolderEndsInBackslash", "C:\\", true, "C:\\\\ZR821SPI.hex"},
                    PathCase{"Latin1Letters", "C:\\M\xC3\xBCller\\\xC3\xBF", true,
                             "C:\\M\xFCller\\\xFF\\ZR821SPI.hex"},
                    PathCase{"Exactly512", k499, true, k499 + "\\ZR821SPI.hex"},
                    PathCase{"Exactly512WithTwoByteCharacters", std::string(498, 'a') + "\xC3\xA9",
                             true, std::string(498, 'a') + "\xE9\\ZR821SPI.hex"},
                    PathCase{"Length513", k499 + "b", false, ""},
                    PathCase{"CharacterAboveFF", "C:\\\xC4\x80", false, ""},
                    PathCase{"EuroSign", "C:\\\xE2\x82\xAC", false, ""},
                    PathCase{"InvalidUtf8", "C:\\\xC3(", false, ""},
                    PathCase{"OverlongSlash", "C:\\\xC0\xAF", false, ""},
                    PathCase{"TruncatedSequence", "C:\\\xC3", false, ""}),
    CaseName());

TEST(StringToBytes, RefusalLeavesAllBytesZero) {
  std::array<uint8_t, kFirmwarePathBytes> bytes{};
  bytes.fill(0x55);
  EXPECT_FALSE(BoardLink::StringToBytes(std::string(513, 'x'), bytes));
  for (const uint8_t byte : bytes) ASSERT_EQ(byte, 0);
}

// The link after a connection sequence in which the driver handed out `handle`; the driver's log
// starts after it.
void Connect(BoardLink& link, FakeDriver& driver, int32_t handle) {
  driver.connectHandle = handle;
  link.LoadUSB("ZR810", "C:\\Eval", {});
  driver.calls.clear();
}

struct WordCase {
  int32_t word;
  int32_t value;
  int32_t index;
};

class SPIwriteTest : public testing::TestWithParam<WordCase> {};

TEST_P(SPIwriteTest, SendsLow16BitsAsValueAndBits23To16AsIndex) {
  const WordCase& c = GetParam();
  FakeDriver driver;
  driver.requestStatus = -9;
  BoardLink link(driver);
  Connect(link, driver, 0x77);

  link.SPIwrite(c.word);

  ASSERT_EQ(driver.calls.size(), 1u);
  EXPECT_EQ(driver.calls[0], (Call{"Vendor_Request", {0x77, 0xDD, c.value, c.index, 0, 0}, {0}}));
  EXPECT_EQ(link.status(), -9);
}

INSTANTIATE_TEST_SUITE_P(
    Words, SPIwriteTest,
    testing::Values(WordCase{0x058580, 0x8580, 0x05}, WordCase{0x0D0002, 0x0002, 0x0D},
                    WordCase{0xD71234, 0x1234, 0xD7}, WordCase{0xFFFFFF, 0xFFFF, 0xFF},
                    WordCase{0x000000, 0x0000, 0x00}, WordCase{0x7F123456, 0x3456, 0x12}));

class LineRequestTest : public testing::TestWithParam<std::pair<Request, int32_t>> {};

TEST_P(LineRequestTest, SendsCodeWithoutData) {
  FakeDriver driver;
  driver.requestStatus = 12;
  BoardLink link(driver);
  Connect(link, driver, 0x55);

  link.LineRequest(GetParam().first);

  ASSERT_EQ(driver.calls.size(), 1u);
  EXPECT_EQ(driver.calls[0], (Call{"Vendor_Request", {0x55, GetParam().second, 0, 0, 0, 0}, {0}}));
  EXPECT_EQ(link.status(), 12);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineRequestTest,
    testing::Values(std::pair{Request::ResetHigh, 0xDA}, std::pair{Request::ResetLow, 0xDB},
                    std::pair{Request::ClrHigh, 0xDC}, std::pair{Request::LdacPulse, 0xDE},
                    std::pair{Request::ClrLow, 0xDF}, std::pair{Request::Start, 0xE0},
                    std::pair{Request::LdacHigh, 0xE2}, std::pair{Request::LdacLow, 0xE3}));

TEST(SPIread, ReadsThreeBytesLowByteFirst) {
  FakeDriver driver;
  driver.readReply = {0x01, 0x02, 0xFF};
  BoardLink link(driver);
  Connect(link, driver, 0x66);

  EXPECT_EQ(link.SPIread(), 0x0201);
  ASSERT_EQ(driver.calls.size(), 1u);
  EXPECT_EQ(driver.calls[0].arguments, (std::vector<int32_t>{0x66, 0xDD, 0, 0, 1, 3}));
}

TEST(SPIread, KeepsTheLastReplyWhenADriverFillsNothing) {
  FakeDriver driver;
  BoardLink link(driver);
  EXPECT_EQ(link.SPIread(), 0);  // nothing read yet

  driver.readReply = {0x34, 0x12, 0x99};
  EXPECT_EQ(link.SPIread(), 0x1234);
  driver.readReply.clear();
  EXPECT_EQ(link.SPIread(), 0x1234);
  EXPECT_EQ(link.readBuffer()[2], 0x99);
}

TEST(SPIread, KeepsTheLastReplyWhenTheBoardIsGone) {
  SimulatedBoard board;
  BoardLink link(board);
  link.SPIwrite(0x010004);  // control register: input B
  link.SPIwrite(0x050000);  // read back the control register
  EXPECT_EQ(link.SPIread(), 0x0004);

  board.setBoardAttached(false);
  link.SPIwrite(0x010000);
  EXPECT_EQ(link.SPIread(), 0x0004);
  EXPECT_EQ(link.status(), SimulatedBoard::kNoBoardStatus);
}

}  // namespace

namespace {

struct ChoiceCase {
  const char* name;
  int choice;
  int32_t found;
  uint8_t connectedWith;
};

class LoadUSBBoardChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(LoadUSBBoardChoice, ConnectsWithTheChosenListByteOrANumberNoBoardHas) {
  const ChoiceCase& c = GetParam();
  FakeDriver driver;
  driver.foundCount = c.found;
  BoardLink link(driver);
  ASSERT_TRUE(link.setBoardChoice(c.choice));

  link.LoadUSB("ZR810", "C:\\Eval", nullptr);

  ASSERT_EQ(driver.calls[1].function, "Connect");
  EXPECT_EQ(driver.calls[1].arguments[2], c.connectedWith);
}

INSTANTIATE_TEST_SUITE_P(Choices, LoadUSBBoardChoice,
                         testing::Values(ChoiceCase{"DefaultTakesListByte0", 0, 1, 5},
                                         ChoiceCase{"DefaultWithNoBoardStillListByte0", 0, 0, 0},
                                         ChoiceCase{"SecondOfTwo", 1, 2, 6},
                                         ChoiceCase{"LastOfThree", 2, 3, 7},
                                         ChoiceCase{"SecondOfOne", 1, 1, kNoBoardNumber},
                                         ChoiceCase{"BeyondTheList", 127, 3, kNoBoardNumber}),
                         CaseName());

TEST(LoadUSBBoardChoice, RefusesPositionsOutsideTheListAndKeepsTheChoice) {
  FakeDriver driver;
  BoardLink link(driver);
  ASSERT_TRUE(link.setBoardChoice(3));
  for (const int bad : {-1, 128, 1000}) {
    EXPECT_FALSE(link.setBoardChoice(bad));
    EXPECT_EQ(link.BoardChoice(), 3);
  }
}

}  // namespace
