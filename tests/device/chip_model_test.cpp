// The register model: a model's setup, the power-on reset of every record, the A/B reset and the
// offset DAC values.
#include <gtest/gtest.h>

#include <stdexcept>

#include "chip_model.h"

namespace {

struct ResetRow {
  const char* name;
  int16_t bits;
  int16_t channels;
  int32_t gain;
  int32_t offset;
  int32_t code;
};

const ResetRow kResetRows[] = {
    {"ZR810", 16, 16, 65535, 32768, 0x8000}, {"ZR811", 14, 16, 16383, 8192, 0x2000},
    {"ZR812", 16, 8, 65535, 32768, 0x8000},  {"ZR813", 14, 8, 16383, 8192, 0x2000},
    {"ZR820", 16, 40, 65535, 32768, 0x5554}, {"ZR821", 14, 40, 16383, 8192, 0x1555},
    {"ZR822", 16, 32, 65535, 32768, 0x5554}, {"ZR823", 14, 32, 16383, 8192, 0x1555},
};

// Every field of every record holding something other than its reset value.
void Scramble(ChipModel& chip) {
  for (DAC& record : chip.DACs) {
    record.setX1A(-1);
    record.setX1B(70000);
    record.setM(3);
    record.setC(4);
    record.setABsel(1);
    record.setBITS(7);
    record.X2A = 11;
    record.X2B = 12;
    record.DACreg = 13;
  }
}

class ResetStateTest : public testing::TestWithParam<ResetRow> {};

TEST_P(ResetStateTest, EveryRecordTakesThePowerOnState) {
  const ResetRow& row = GetParam();
  ChipModel chip;
  Scramble(chip);
  chip.ApplySetup(*FindPart(row.name));
  chip.ResetChannels();
  EXPECT_EQ(chip.PartName, row.name);
  EXPECT_EQ(chip.PartBits, row.bits);
  EXPECT_EQ(chip.PartChannels, row.channels);
  for (size_t i = 0; i < chip.DACs.size(); ++i) {
    const DAC& record = chip.DACs[i];
    SCOPED_TRACE(testing::Message() << row.name << " record " << i);
    EXPECT_EQ(record.BITS(), row.bits);
    EXPECT_EQ(record.M(), row.gain);
    EXPECT_EQ(record.C(), row.offset);
    EXPECT_EQ(record.X1A(), row.code);
    EXPECT_EQ(record.X1B(), row.code);
    EXPECT_EQ(record.X2A, row.code);
    EXPECT_EQ(record.X2B, row.code);
    EXPECT_EQ(record.DACreg, std::optional<int32_t>(row.code));
    EXPECT_EQ(record.ABsel(), 1) << "the reset leaves ABsel alone";
  }
}

INSTANTIATE_TEST_SUITE_P(AllModels, ResetStateTest, testing::ValuesIn(kResetRows),
                         [](const testing::TestParamInfo<ResetRow>& row) {
                           return std::string(row.param.name);
                         });

TEST(ResetChannels, WithoutAModelZeroesGainOffsetAndBitsOnly) {
  ChipModel chip;
  Scramble(chip);
  chip.DACs[5].DACreg.reset();
  chip.ResetChannels();
  for (size_t i = 0; i < chip.DACs.size(); ++i) {
    const DAC& record = chip.DACs[i];
    SCOPED_TRACE(testing::Message() << "record " << i);
    EXPECT_EQ(record.BITS(), 0);
    EXPECT_EQ(record.M(), 0);
    EXPECT_EQ(record.C(), 0);
    EXPECT_EQ(record.X1A(), -1);
    EXPECT_EQ(record.X1B(), 70000);
    EXPECT_EQ(record.X2A, 11);
    EXPECT_EQ(record.X2B, 12);
    EXPECT_EQ(record.DACreg, i == 5 ? std::nullopt : std::optional<int32_t>(13));
  }
}

TEST(ApplySetup, SetsTheModelAndGainAndOffsetOfAllRecordsOnly) {
  ChipModel chip;
  Scramble(chip);
  chip.ApplySetup(*FindPart("ZR811"));
  EXPECT_EQ(chip.PartName, "ZR811");
  EXPECT_EQ(chip.PartBits, 14);
  EXPECT_EQ(chip.PartChannels, 16);
  for (const DAC& record : chip.DACs) {
    EXPECT_EQ(record.M(), 16383);
    EXPECT_EQ(record.C(), 8192);
    EXPECT_EQ(record.X1A(), -1);
    EXPECT_EQ(record.X1B(), 70000);
    EXPECT_EQ(record.X2A, 11);
    EXPECT_EQ(record.X2B, 12);
    EXPECT_EQ(record.DACreg, 13);
    EXPECT_EQ(record.BITS(), 7);
    EXPECT_EQ(record.ABsel(), 1);
  }
  EXPECT_EQ(chip.OffsetDAC0, 0);
}

TEST(ResetABsel, ReturnsEveryRecordToA) {
  ChipModel chip;
  Scramble(chip);
  chip.ResetABsel();
  for (const DAC& record : chip.DACs) {
    EXPECT_EQ(record.ABsel(), 0);
    EXPECT_EQ(record.X1A(), -1);
  }
}

TEST(DacRecord, StoresValuesWithoutLimits) {
  DAC record;
  EXPECT_EQ(record.DACreg, std::nullopt);
  EXPECT_EQ(record.DACregValue(), 0);
  record.setX1A(70000);
  EXPECT_EQ(record.X1A(), 70000);
  record.setX1A(-1);
  EXPECT_EQ(record.X1A(), -1);
}

TEST(OffsetDac, NumbersSelectTheThreeValues) {
  ChipModel chip;
  chip.OffsetDAC(0) = 0x100;
  chip.OffsetDAC(1) = 0x200;
  chip.OffsetDAC(2) = 0x300;
  EXPECT_EQ(chip.OffsetDAC0, 0x100);
  EXPECT_EQ(chip.OffsetDAC1, 0x200);
  EXPECT_EQ(chip.OffsetDAC2, 0x300);
  const ChipModel& view = chip;
  EXPECT_EQ(view.OffsetDAC(2), 0x300);
  EXPECT_THROW(chip.OffsetDAC(3), std::out_of_range);
  EXPECT_THROW(view.OffsetDAC(-1), std::out_of_range);
}

TEST(DerivedRegisterValues, FullScaleGainAndMidScaleOffset) {
  struct Case {
    int16_t n;
    int32_t gain;
    int32_t offset;
  };
  // n = 0: 2^-1 = 0.5 rounds to the even 0; n = 2: 2^1 = 2.
  const Case cases[] = {{16, 65535, 32768}, {14, 16383, 8192}, {0, 0, 0}, {1, 1, 1}, {2, 3, 2}};
  for (const Case& c : cases) {
    EXPECT_EQ(FullScaleGain(c.n), c.gain) << "n = " << c.n;
    EXPECT_EQ(MidScaleOffset(c.n), c.offset) << "n = " << c.n;
  }
}

}  // namespace
