// The request log written to a file while the session runs: the rows of the CSV export, each
// once, on the disk at every flush; a file that cannot be opened is refused in one line.

#include "csv_log_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "csv_export.h"
#include "logged_bench.h"

namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path TempPath(const char* name) {
  return std::filesystem::temp_directory_path() /
         (std::string(name) + "_" +
          std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".csv");
}

TEST(CsvLogFile, HoldsTheExportsRowsAtEveryFlush) {
  const std::filesystem::path path = TempPath("dac_eval_log");
  std::ofstream(path) << "left from an earlier run\n";
  LoggedBench b("ZR813");
  std::string error;
  std::unique_ptr<CsvLogFile> file = CsvLogFile::Open(b.session, b.log, path.string(), error);
  ASSERT_TRUE(file) << error;
  EXPECT_EQ(Contents(path), CsvHeader());

  (void)b.session.writeRegister(9, ChannelRegister::X1B, 0x1234);
  {
    const Session::Origin origin(b.session, "remote \"lab, bench 2\"");
    (void)b.session.directLoad(0xC00001);
  }
  file->flush();
  EXPECT_EQ(Contents(path), LogAsCsv(b.log));

  b.board.setBoardAttached(false);  // a failed request is a row like any other
  b.session.pulseLdac();
  (void)b.session.writeOffsetDac(1, 0x4000);  // refused: sends nothing, writes no row
  file->flush();
  EXPECT_EQ(Contents(path), LogAsCsv(b.log));
  file.reset();  // closed first: an open file cannot be removed on Windows
  std::filesystem::remove(path);
}

TEST(CsvLogFile, RefusesAFileThatCannotBeOpened) {
  LoggedBench b;
  const std::string path = (TempPath("dac_eval_no_folder") / "log.csv").string();
  std::string error;
  EXPECT_FALSE(CsvLogFile::Open(b.session, b.log, path, error));
  EXPECT_EQ(error.rfind(path + ": cannot be opened for writing", 0), 0u) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

}  // namespace
