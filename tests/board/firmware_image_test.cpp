// Firmware images cut into the RAM writes that load them, the file statuses, and the status
// words shown for them.

#include "firmware_image.h"

#include <gtest/gtest.h>

#include <set>

#include "case_name.h"
#include "temp_file.h"
#include "usb_status_text.h"
#include "usb_statuses.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Run(uint8_t first, std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(first + i);
  return bytes;
}

struct ChunkCase {
  const char* name;
  std::vector<HexRecord> records;
  std::size_t maxChunk;
  std::optional<std::vector<LoadChunk>> chunks;
};

class FirmwareChunks : public testing::TestWithParam<ChunkCase> {};

TEST_P(FirmwareChunks, JoinContiguousRecordsUpToTheChunkSize) {
  EXPECT_EQ(LoadChunks(GetParam().records, GetParam().maxChunk), GetParam().chunks);
}

INSTANTIATE_TEST_SUITE_P(
    Records, FirmwareChunks,
    testing::Values(ChunkCase{"ContiguousJoined",
                              {{0x10, Run(0, 4)}, {0x14, Run(4, 4)}},
                              64,
                              std::vector<LoadChunk>{{0x10, Run(0, 8)}}},
                    ChunkCase{"GapSplits",
                              {{0x10, Run(0, 4)}, {0x15, Run(4, 4)}},
                              64,
                              std::vector<LoadChunk>{{0x10, Run(0, 4)}, {0x15, Run(4, 4)}}},
                    ChunkCase{"BackwardsSplits",
                              {{0x20, Run(0, 4)}, {0x1C, Run(4, 4)}},
                              64,
                              std::vector<LoadChunk>{{0x20, Run(0, 4)}, {0x1C, Run(4, 4)}}},
                    ChunkCase{"CutAtTheChunkSize",
                              {{0x00, Run(0, 6)}, {0x06, Run(6, 6)}},
                              5,
                              std::vector<LoadChunk>{
                                  {0x00, Run(0, 5)}, {0x05, Run(5, 5)}, {0x0A, Run(10, 2)}}},
                    ChunkCase{"LastByteOfTheAddressSpace",
                              {{0xFFFF, {7}}},
                              64,
                              std::vector<LoadChunk>{{0xFFFF, {7}}}},
                    ChunkCase{"PastTheAddressSpace", {{0xFFFF, {7, 8}}}, 64, std::nullopt},
                    ChunkCase{"OnTheCpuControlRegister", {{0xE5F0, Run(0, 17)}}, 64, std::nullopt},
                    ChunkCase{"JustBeforeTheCpuControlRegister",
                              {{0xE5F0, Run(0, 16)}},
                              64,
                              std::vector<LoadChunk>{{0xE5F0, Run(0, 16)}}},
                    ChunkCase{"NoRecords", {}, 64, std::vector<LoadChunk>{}}),
    CaseName());

TEST(IntelHexRecords, CarryAbsoluteAddressesAfterExtendedAddressRecords) {
  const auto read = ReadIntelHex(
      ":020000021000EC\n"    // segment base 10000 hex
      ":0300300002337A1E\n"  // 3 bytes at offset 0030
      ":020000040002F8\n"    // linear base 20000 hex
      ":0100050042B8\n"      // 1 byte at offset 0005
      ":00000001FF\n");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, (std::vector<HexRecord>{{0x10030, {0x02, 0x33, 0x7A}}, {0x20005, {0x42}}}));
}

struct FileCase {
  const char* name;
  const char* content;  // nullptr: no file; "": a folder at the path
  int16_t status;
};

class FirmwareFile : public testing::TestWithParam<FileCase> {};

TEST_P(FirmwareFile, HasItsOwnStatusAndWords) {
  const FileCase& c = GetParam();
  TempFile file("firmware_image_test.hex", c.content != nullptr ? c.content : "");
  std::string path = file.path();
  if (c.content == nullptr) path += ".absent";
  if (c.content != nullptr && *c.content == '\0')
    path = std::filesystem::temp_directory_path().string();

  const FirmwareImage image = ReadFirmwareImage(path);

  EXPECT_EQ(image.status, c.status);
  EXPECT_EQ(image.chunks.empty(), c.status != 0);
  EXPECT_FALSE(RequestStatusText(c.status).empty() && c.status != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FirmwareFile,
    testing::Values(FileCase{"Good", ":0400000001020304F2\n:00000001FF\n", 0},
                    FileCase{"Missing", nullptr, usb_status::kFirmwareMissing},
                    FileCase{"Folder", "", usb_status::kFirmwareUnreadable},
                    FileCase{"NotHex", "firmware\n", usb_status::kFirmwareMalformed},
                    FileCase{"OutOfRange", ":0200000400FFFB\n:0400000001020304F2\n:00000001FF\n",
                             usb_status::kFirmwareOutOfRange}),
    CaseName());

TEST(FirmwarePath, BackslashReadsAsSeparatorOnlyWhenThePathAsWrittenNamesNothing) {
#ifndef _WIN32
  // A file whose name holds backslashes (only possible where they are no separators).
  TempFile named("path\\with\\backslashes.hex", "x");
  EXPECT_EQ(NativeFirmwarePath(named.path()), named.path());
#endif
  EXPECT_EQ(NativeFirmwarePath("/opt/eval\\ZR821SPI.hex"), "/opt/eval/ZR821SPI.hex");
  EXPECT_EQ(NativeFirmwarePath("/opt/eval/ZR821SPI.hex"), "/opt/eval/ZR821SPI.hex");
}

struct WordsCase {
  const char* name;
  int16_t status;
  const char* words;
};

class StatusWords : public testing::TestWithParam<WordsCase> {};

TEST_P(StatusWords, SayWhatHappened) {
  EXPECT_EQ(RequestStatusText(GetParam().status), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, StatusWords,
    testing::Values(
        WordsCase{"Success", 0, ""}, WordsCase{"NoDevice", -4, "board unplugged"},
        WordsCase{"Timeout", -7, "no answer within 1 s"},
        WordsCase{"Access", -3,
                  "no permission to open the board: see the README (udev rule 60-dac-eval.rules)"},
        WordsCase{"NotFound", -5, "no board attached"},
        WordsCase{"Unknown", -12345, "request failed (status -12345)"}),
    CaseName());

TEST(StatusWords, DifferForEveryFirmwareRefusal) {
  std::set<std::string> words;
  for (const int16_t status :
       {usb_status::kFirmwareMissing, usb_status::kFirmwareUnreadable,
        usb_status::kFirmwareMalformed, usb_status::kFirmwareOutOfRange, usb_status::kBoardNotBack})
    words.insert(RequestStatusText(status));
  EXPECT_EQ(words.size(), 5u);
  EXPECT_EQ(words.count(RequestStatusText(-99)), 0u);
}

}  // namespace
