// The simulated board as a driver: search, connect, firmware download and request recording.

#include "simulated_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "board_link.h"
#include "temp_file.h"

namespace {

constexpr const char* kGoodImage = ":0400000001020304F2\n:00000001FF\n";

std::vector<uint8_t> PathBytes(const std::string& latin1) {
  std::vector<uint8_t> bytes(latin1.begin(), latin1.end());
  bytes.push_back(0);
  return bytes;
}

int16_t Download(SimulatedBoard& board, const std::string& latin1Path) {
  std::vector<uint8_t> bytes = PathBytes(latin1Path);
  return board.Download_Firmware(1, bytes.data());
}

struct AttachCase {
  bool attached;
  int32_t count;
  uint8_t list0;
  int16_t connectStatus;
  int32_t handle;
};

class SimulatedSearchAndConnect : public testing::TestWithParam<AttachCase> {};

TEST_P(SimulatedSearchAndConnect, ReportBoardOnlyWhenAttached) {
  const AttachCase& c = GetParam();
  SimulatedBoard board;
  board.setBoardAttached(c.attached);
  int32_t count = 0;
  std::array<uint8_t, 128> list{};
  list.fill(9);
  int32_t handle = 77;

  board.Search_For_Boards(0xFFF0, 0x0821, &count, list.data());
  const int16_t status = board.Connect(0xFFF0, 0x0821, list[0], &handle);

  EXPECT_EQ(count, c.count);
  EXPECT_EQ(list[0], c.list0);
  EXPECT_EQ(status, c.connectStatus);
  EXPECT_EQ(handle, c.handle);
}

INSTANTIATE_TEST_SUITE_P(Board, SimulatedSearchAndConnect,
                         testing::Values(AttachCase{true, 1, 0, 0, 1},
                                         AttachCase{false, 0, 9, SimulatedBoard::kNoBoardStatus,
                                                    0}));

TEST(SimulatedDownload, SucceedsWithoutAnImageFileAndFailsWithoutABoard) {
  SimulatedBoard board;
  EXPECT_EQ(Download(board, "C:\\Eval\\ZR821SPI.hex"), 0);
  board.setBoardAttached(false);
  EXPECT_EQ(Download(board, "C:\\Eval\\ZR821SPI.hex"), SimulatedBoard::kNoBoardStatus);
  EXPECT_EQ(board.downloads(),
            (std::vector<std::string>{"C:\\Eval\\ZR821SPI.hex", "C:\\Eval\\ZR821SPI.hex"}));
}

TEST(SimulatedDownload, ChecksAnImageFileThatExists) {
  SimulatedBoard board;
  const TempFile good("board_test_good_image.hex", kGoodImage);
  const TempFile bad("board_test_bad_image.hex", ":0400000001020304F3\n:00000001FF\n");
  EXPECT_EQ(Download(board, good.path()), 0);
  EXPECT_EQ(Download(board, bad.path()), SimulatedBoard::kBadImageStatus);
}

TEST(SimulatedDownload, RefusesAFolderAsImage) {
  SimulatedBoard board;
  const TempFile file("board_test_image_in_folder.hex", kGoodImage);
  const std::string folder = std::filesystem::path(file.path()).parent_path().string();
  EXPECT_EQ(Download(board, folder), SimulatedBoard::kBadImageStatus);
}

TEST(SimulatedDownload, OpensALatin1PathAsTheSameNameInUtf8) {
  SimulatedBoard board;
  // A bad image under a name with e-acute: found only if the Latin-1 byte E9 is converted.
  const TempFile bad("board_test_caf\xC3\xA9.hex", "not an image\n");
  const std::string latin1 = bad.path().substr(0, bad.path().size() - 6) + "\xE9.hex";
  EXPECT_EQ(Download(board, latin1), SimulatedBoard::kBadImageStatus);
}

using Recorded = SimulatedBoard::RecordedRequest;

TEST(SimulatedRequests, RecordsWhatIsPassedInAndWhatIsReadBack) {
  SimulatedBoard board;
  uint8_t zero = 0;
  std::array<uint8_t, 3> three = {0xAA, 0xBB, 0xCC};
  std::array<uint8_t, 4> reply = {0x55, 0x55, 0x55, 0x55};

  board.Vendor_Request(1, 0xDD, 0x0004, 0x01, 0, 0, &zero);  // control: input B
  board.Vendor_Request(1, 0xE0, 0, 0, 0, 3, three.data());
  board.Vendor_Request(1, 0xDD, 0, 0, 1, 3, reply.data());

  EXPECT_EQ(board.requests(), (std::vector<Recorded>{{0xDD, 0x0004, 0x01, 0, 0, {0}},
                                                     {0xE0, 0, 0, 0, 3, {0xAA, 0xBB, 0xCC}},
                                                     {0xDD, 0, 0, 1, 3, {0x04, 0, 0}}}));
  EXPECT_EQ(reply[3], 0x55);  // three bytes at most
  board.clearRequests();
  EXPECT_TRUE(board.requests().empty());
}

TEST(SimulatedRequests, AShortReadFillsOnlyItsLength) {
  SimulatedBoard board;
  uint8_t zero = 0;
  board.Vendor_Request(1, 0xDD, 0x0304, 0x01, 0, 0, &zero);  // control 0304
  std::array<uint8_t, 3> reply = {0x55, 0x55, 0x55};
  board.Vendor_Request(1, 0xDD, 0, 0, 1, 1, reply.data());
  EXPECT_EQ(reply, (std::array<uint8_t, 3>{0x04, 0x55, 0x55}));
  EXPECT_EQ(board.requests().back().data, (std::vector<uint8_t>{0x04}));
}

TEST(SimulatedRequests, WithoutABoardFailAndChangeNothing) {
  SimulatedBoard board;
  board.setBoardAttached(false);
  uint8_t zero = 0;
  std::array<uint8_t, 3> reply = {0x55, 0x55, 0x55};

  EXPECT_EQ(board.Vendor_Request(1, 0xDD, 0x1234, 0xC8, 0, 0, &zero),
            SimulatedBoard::kNoBoardStatus);
  EXPECT_EQ(board.Vendor_Request(1, 0xDE, 0, 0, 0, 0, &zero), SimulatedBoard::kNoBoardStatus);
  EXPECT_EQ(board.Vendor_Request(1, 0xDD, 0, 0, 1, 3, reply.data()),
            SimulatedBoard::kNoBoardStatus);

  EXPECT_EQ(board.chip(), SimulatedChip{});
  EXPECT_EQ(reply, (std::array<uint8_t, 3>{0x55, 0x55, 0x55}));
  EXPECT_EQ(board.requests(),
            (std::vector<Recorded>{
                {0xDD, 0x1234, 0xC8, 0, 0, {0}}, {0xDE, 0, 0, 0, 0, {0}}, {0xDD, 0, 0, 1, 3, {}}}));
}

}  // namespace

// However long a session runs, the board keeps a bounded number of requests, the latest of them.
TEST(SimulatedBoardLog, KeepsTheLatestRequestsWithinItsBound) {
  SimulatedBoard board;
  BoardLink link(board);
  const int32_t total = static_cast<int32_t>(3 * SimulatedBoard::kKeptRequests + 17);
  std::size_t largest = 0;
  for (int32_t n = 0; n < total; ++n) {
    link.SPIwrite(0xC80000 | (n & 0xFFFF));
    largest = std::max(largest, board.requests().size());
  }
  EXPECT_LE(largest, 2 * SimulatedBoard::kKeptRequests);
  ASSERT_GE(board.requests().size(), SimulatedBoard::kKeptRequests);
  EXPECT_EQ(board.requests().back().value, (total - 1) & 0xFFFF);
  const auto& requests = board.requests();
  const auto first = requests.size() - SimulatedBoard::kKeptRequests;
  EXPECT_EQ(requests[first].value,
            (total - static_cast<int32_t>(SimulatedBoard::kKeptRequests)) & 0xFFFF);
}
