// The model catalogue: the rows, which channel records a model offers, and which record each
// output label shows.
#include <gtest/gtest.h>

#include <vector>

#include "catalogue.h"

namespace {

struct CatalogueRow {
  const char* name;
  int16_t bits;
  int16_t channels;
  int32_t resetCode;
  int offsetFactor;
  bool showVref2;
  bool showOffsetDac2;
  int monitorEntries;
  int outputLabels;
};

class CatalogueRowTest : public testing::TestWithParam<int> {};

constexpr CatalogueRow kRows[kPartCount] = {
    {"ZR810", 16, 16, 0x8000, 4, false, false, 16, 16},
    {"ZR811", 14, 16, 0x2000, 1, false, false, 16, 16},
    {"ZR812", 16, 8, 0x8000, 4, false, false, 8, 8},
    {"ZR813", 14, 8, 0x2000, 1, false, false, 8, 8},
    {"ZR820", 16, 40, 0x5554, 4, true, false, 0, 40},
    {"ZR821", 14, 40, 0x1555, 1, true, true, 0, 40},
    {"ZR822", 16, 32, 0x5554, 4, false, false, 0, 32},
    {"ZR823", 14, 32, 0x1555, 1, false, false, 0, 32},
};

TEST_P(CatalogueRowTest, RowAtButtonIndexHoldsTheModel) {
  const CatalogueRow& want = kRows[GetParam()];
  const PartInfo& row = PartCatalogue()[static_cast<size_t>(GetParam())];
  EXPECT_EQ(row.name, want.name);
  EXPECT_EQ(row.bits, want.bits);
  EXPECT_EQ(row.channels, want.channels);
  EXPECT_EQ(row.resetCode, want.resetCode);
  EXPECT_EQ(row.offsetFactor, want.offsetFactor);
  EXPECT_EQ(row.showVref2, want.showVref2);
  EXPECT_EQ(row.showOffsetDac2, want.showOffsetDac2);
  EXPECT_EQ(row.monitorEntries, want.monitorEntries);
  EXPECT_EQ(row.outputLabels, want.outputLabels);
  EXPECT_EQ(FindPart(want.name), &row);
}

INSTANTIATE_TEST_SUITE_P(AllModels, CatalogueRowTest, testing::Range(0, kPartCount));

TEST(FindPart, NameMustMatchExactly) {
  for (const char* name : {"", "zr810", "ZR81", "ZR8100", " ZR810", "ZR830"}) {
    EXPECT_EQ(FindPart(name), nullptr) << '"' << name << '"';
  }
}

// Records offered as channel buttons; the count must equal the model's channel count.
TEST(ChannelUsed, OffersExactlyTheModelsRecords) {
  struct Case {
    const char* name;
    std::vector<int> used;
  };
  const Case cases[] = {
      {"ZR810", {0, 15}},  // first and last of 0..15
      {"ZR812", {0, 1, 2, 3, 8, 9, 10, 11}},
      {"ZR822", {0, 31}},
      {"ZR820", {0, 39}},
  };
  for (const Case& c : cases) {
    const PartInfo& part = *FindPart(c.name);
    int offered = 0;
    for (int index = 0; index < kChannelCount; ++index) offered += ChannelUsed(part, index);
    EXPECT_EQ(offered, part.channels) << c.name;
    for (int index : c.used) EXPECT_TRUE(ChannelUsed(part, index)) << c.name << " " << index;
  }
  const PartInfo& zr812 = *FindPart("ZR812");
  for (int index : {4, 7, 12, 39}) EXPECT_FALSE(ChannelUsed(zr812, index)) << index;
  EXPECT_FALSE(ChannelUsed(*FindPart("ZR810"), 16));
  EXPECT_FALSE(ChannelUsed(*FindPart("ZR822"), 32));
}

TEST(OutputLabelRecord, EightChannelModelsShowTheSecondGroupOnLabelsFourToSeven) {
  struct Case {
    const char* name;  // nullptr: no model
    int label;
    int record;
  };
  const Case cases[] = {
      {"ZR812", 3, 3},   {"ZR812", 4, 8},   {"ZR812", 7, 11}, {"ZR813", 5, 9},
      {"ZR812", 8, 8},   {"ZR812", 20, 20}, {"ZR810", 4, 4},  {"ZR820", 7, 7},
      {"ZR823", 39, 39}, {nullptr, 4, 4},   {nullptr, 7, 7},
  };
  for (const Case& c : cases) {
    const PartInfo* part = c.name != nullptr ? FindPart(c.name) : nullptr;
    EXPECT_EQ(OutputLabelRecord(part, c.label), c.record)
        << (c.name != nullptr ? c.name : "no model") << " label " << c.label;
  }
}

}  // namespace
