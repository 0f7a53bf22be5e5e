// The firmware image's lookup: --firmware, then the program's folder, $XDG_DATA_HOME/dac-eval/ and
// dac-eval/ under each folder of $XDG_DATA_DIRS, with the XDG defaults where a variable is unset
// or empty; and a message naming every place looked when none holds it.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "firmware_lookup.h"
#include "options.h"

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
