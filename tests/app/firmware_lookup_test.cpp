// The firmware image's lookup: --firmware, then the program's folder, $XDG_DATA_HOME/dac-eval/ and
// dac-eval/ under each folder of $XDG_DATA_DIRS, with the XDG defaults where a variable is unset
// or empty; and a message naming every place looked when none holds it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "board_link.h"
#include "firmware_lookup.h"
#include "options.h"
#include "simulated_board.h"

namespace {

using Env = std::map<std::string, std::string>;

struct LookupCase {
  const char* name;
  Env env;
  std::set<std::string> files;  // the regular files that exist
  std::optional<std::string> found;
  std::vector<std::string> looked;
};

FirmwareLookup Look(const LookupCase& c) {
  const auto variable = [&c](const std::string& name) -> std::optional<std::string> {
    const auto at = c.env.find(name);
    if (at == c.env.end()) return std::nullopt;
    return at->second;
  };
  const auto exists = [&c](const std::string& path) { return c.files.count(path) > 0; };
  return FindFirmware("/opt/dac-eval/bin", variable, exists);
}

class FirmwareLookupTable : public testing::TestWithParam<LookupCase> {};

TEST_P(FirmwareLookupTable, FindsTheFirstInOrder) {
  const LookupCase& c = GetParam();
  const FirmwareLookup lookup = Look(c);
  EXPECT_EQ(lookup.found, c.found);
  EXPECT_EQ(lookup.looked, c.looked);
}

const Env kHome{{"HOME", "/home/ann"}};
const std::vector<std::string> kDefaultPlaces{
    "/opt/dac-eval/bin/ZR821SPI.hex", "/home/ann/.local/share/dac-eval/ZR821SPI.hex",
    "/usr/local/share/dac-eval/ZR821SPI.hex", "/usr/share/dac-eval/ZR821SPI.hex"};

INSTANTIATE_TEST_SUITE_P(
    Places, FirmwareLookupTable,
    testing::Values(
        LookupCase{"NextToTheProgramFirst",
                   kHome,
                   {"/opt/dac-eval/bin/ZR821SPI.hex", "/usr/share/dac-eval/ZR821SPI.hex"},
                   "/opt/dac-eval/bin/ZR821SPI.hex",
                   kDefaultPlaces},
        LookupCase{
            "TheUsersDataBeforeTheSystems",
            kHome,
            {"/home/ann/.local/share/dac-eval/ZR821SPI.hex", "/usr/share/dac-eval/ZR821SPI.hex"},
            "/home/ann/.local/share/dac-eval/ZR821SPI.hex",
            kDefaultPlaces},
        LookupCase{"ThePackagesFolder",
                   kHome,
                   {"/usr/share/dac-eval/ZR821SPI.hex"},
                   "/usr/share/dac-eval/ZR821SPI.hex",
                   kDefaultPlaces},
        LookupCase{"NoneFound", kHome, {}, std::nullopt, kDefaultPlaces},
        LookupCase{"VariablesSet",
                   {{"HOME", "/home/ann"},
                    {"XDG_DATA_HOME", "/data/ann/"},
                    {"XDG_DATA_DIRS", "/opt/share::relative:/srv/share"}},
                   {"/srv/share/dac-eval/ZR821SPI.hex"},
                   "/srv/share/dac-eval/ZR821SPI.hex",
                   {"/opt/dac-eval/bin/ZR821SPI.hex", "/data/ann/dac-eval/ZR821SPI.hex",
                    "/opt/share/dac-eval/ZR821SPI.hex", "/srv/share/dac-eval/ZR821SPI.hex"}},
        LookupCase{"EmptyVariablesTakeTheDefaults",
                   {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", ""}, {"XDG_DATA_DIRS", ""}},
                   {},
                   std::nullopt,
                   kDefaultPlaces},
        LookupCase{"NoHomeNoUserFolder",
                   {},
                   {},
                   std::nullopt,
                   {"/opt/dac-eval/bin/ZR821SPI.hex", "/usr/local/share/dac-eval/ZR821SPI.hex",
                    "/usr/share/dac-eval/ZR821SPI.hex"}}),
    [](const testing::TestParamInfo<LookupCase>& row) { return std::string(row.param.name); });

TEST(FirmwareLookup, TheMessageNamesEveryPlaceLooked) {
  const FirmwareLookup lookup = Look(LookupCase{"", kHome, {}, std::nullopt, {}});
  const std::string message = lookup.notFoundMessage();
  for (const std::string& place : kDefaultPlaces) {
    EXPECT_NE(message.find(place), std::string::npos) << place << " in " << message;
  }
  EXPECT_NE(message.find("--firmware"), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), std::string::npos);
}

TEST(FirmwareLookup, TheOptionNamesTheImage) {
  EXPECT_EQ(ParseOptions({"--firmware", "/lab/board.hex"}).options.firmwareFile, "/lab/board.hex");
  EXPECT_EQ(ParseOptions({"--firmware=board.hex"}).options.firmwareFile, "board.hex");
  EXPECT_NE(ParseOptions({"--firmware"}).error.find("--firmware needs a value"), std::string::npos);
  EXPECT_NE(UsageText().find("--firmware FILE"), std::string::npos);
}

}  // namespace

namespace {

// The path the board link hands the driver at its load, once UseFirmwareImage has run with the
// process's own environment and files.
class FirmwareImageInUse : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/dac_eval_firmware_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
      const char* value = std::getenv(name);
      saved_[name] = value == nullptr ? std::nullopt : std::optional<std::string>(value);
    }
    // Nothing of the machine's own folders takes part.
    setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (folder_ + "/share").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    std::filesystem::remove_all(folder_);
  }

  void put(const std::string& relative) {
    std::filesystem::create_directories(std::filesystem::path(folder_ + relative).parent_path());
    std::ofstream(folder_ + relative) << ":00000001FF\n";
  }

  std::string loaded(const Options& options) {
    SimulatedBoard board;
    BoardLink link(board);
    UseFirmwareImage(options, folder_ + "/bin", link);
    link.LoadUSB("ZR810", folder_ + "/bin", [](const std::string&, const std::string&) {});
    return board.downloads().empty() ? std::string() : board.downloads().back();
  }

  std::string folder_;
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(FirmwareImageInUse, TheOptionFirstThenTheProgramsFolderThenTheUsersData) {
  Options options;
  // None anywhere: the program's folder, as the link has always built it.
  EXPECT_EQ(loaded(options), BoardLink::MakeFirmwarePath(folder_ + "/bin"));
  put("/share/dac-eval/ZR821SPI.hex");
  EXPECT_EQ(loaded(options), folder_ + "/share/dac-eval/ZR821SPI.hex");
  put("/data/dac-eval/ZR821SPI.hex");
  EXPECT_EQ(loaded(options), folder_ + "/data/dac-eval/ZR821SPI.hex");
  put("/bin/ZR821SPI.hex");
  EXPECT_EQ(loaded(options), BoardLink::MakeFirmwarePath(folder_ + "/bin"));
  options.firmwareFile = folder_ + "/lab/other-name.hex";
  EXPECT_EQ(loaded(options), folder_ + "/lab/other-name.hex");
}

}  // namespace
