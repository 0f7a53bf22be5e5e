// Output voltages: the reference set of each channel, the transfer function with the model
// defaults, unreadable reference texts, and the model defaults themselves.
#include <gtest/gtest.h>

#include "chip_model.h"
#include "transfer_function.h"

namespace {

// A chip after start-up: the model's setup, its reset and its default offset DAC codes.
ChipModel StartedChip(const char* model) {
  ChipModel chip;
  chip.ApplySetup(*FindPart(model));
  chip.ResetChannels();
  const OffsetDefaults defaults = *OffsetDefaultsFor(model);
  for (int k = 0; k < 3; ++k) chip.OffsetDAC(k) = defaults.offsetCode;
  return chip;
}

ReferenceTexts DefaultReferences(const char* model) {
  const std::string text = OffsetDefaultsFor(model)->vrefText;
  return {text, text, text};
}

struct VoltageCase {
  const char* model;
  int32_t dacReg;
  const char* volts;
};

class DefaultVoltageTest : public testing::TestWithParam<VoltageCase> {};

TEST_P(DefaultVoltageTest, ChannelZeroWithModelDefaults) {
  const VoltageCase& c = GetParam();
  ChipModel chip = StartedChip(c.model);
  chip.DACs[0].DACreg = c.dacReg;
  EXPECT_EQ(TransferFunction(chip, 0, DefaultReferences(c.model)), c.volts);
}

INSTANTIATE_TEST_SUITE_P(
    ModelDefaults, DefaultVoltageTest,
    testing::Values(VoltageCase{"ZR810", 0x8000, "0.0000"}, VoltageCase{"ZR810", 0xFFFF, "9.9997"},
                    VoltageCase{"ZR810", 0, "-10.0000"}, VoltageCase{"ZR820", 0x5554, "0.0000"},
                    VoltageCase{"ZR820", 0xFFFF, "8.0001"}, VoltageCase{"ZR820", 0, "-3.9998"},
                    VoltageCase{"ZR821", 0x1555, "0.0000"}, VoltageCase{"ZR821", 0x3FFF, "7.9995"},
                    VoltageCase{"ZR811", 0x3FFF, "9.9988"}, VoltageCase{"ZR811", 0, "-10.0000"}));

TEST(TransferFunction, EveryUsedChannelReadsZeroAfterStartUp) {
  for (const PartInfo& part : PartCatalogue()) {
    const std::string name(part.name);
    const ChipModel chip = StartedChip(name.c_str());
    for (int16_t i = 0; i < kChannelCount; ++i) {
      EXPECT_EQ(TransferFunction(chip, i, DefaultReferences(name.c_str())), "0.0000")
          << name << " record " << i;
    }
  }
}

// References 1, 2 and 3 V on sets 0, 1 and 2, all offset DACs 0, and a quarter-scale DACreg:
// a channel of set k then reads k + 1 volts and a channel with no set reads 0.
struct SetCase {
  const char* model;
  int16_t record;
  const char* volts;
};

class ReferenceSetTest : public testing::TestWithParam<SetCase> {};

TEST_P(ReferenceSetTest, ChannelUsesItsModelsSet) {
  const SetCase& c = GetParam();
  ChipModel chip;
  chip.ApplySetup(*FindPart(c.model));
  const int32_t quarterScale = chip.PartBits == 16 ? 0x4000 : 0x1000;
  for (DAC& record : chip.DACs) record.DACreg = quarterScale;
  EXPECT_EQ(TransferFunction(chip, c.record, {"1", "2", "3"}), c.volts);
}

INSTANTIATE_TEST_SUITE_P(
    SetBoundaries, ReferenceSetTest,
    testing::Values(SetCase{"ZR810", 0, "1.0000"}, SetCase{"ZR810", 7, "1.0000"},
                    SetCase{"ZR810", 8, "2.0000"}, SetCase{"ZR810", 15, "2.0000"},
                    SetCase{"ZR810", 16, "0.0000"}, SetCase{"ZR810", 20, "0.0000"},
                    SetCase{"ZR811", 15, "2.0000"}, SetCase{"ZR811", 16, "0.0000"},
                    SetCase{"ZR812", 3, "1.0000"}, SetCase{"ZR812", 4, "0.0000"},
                    SetCase{"ZR812", 7, "0.0000"}, SetCase{"ZR812", 8, "2.0000"},
                    SetCase{"ZR812", 11, "2.0000"}, SetCase{"ZR812", 12, "0.0000"},
                    SetCase{"ZR813", 9, "2.0000"}, SetCase{"ZR813", 5, "0.0000"},
                    SetCase{"ZR820", 7, "1.0000"}, SetCase{"ZR820", 15, "2.0000"},
                    SetCase{"ZR820", 16, "3.0000"}, SetCase{"ZR820", 20, "3.0000"},
                    SetCase{"ZR820", 39, "3.0000"}, SetCase{"ZR821", 39, "3.0000"},
                    SetCase{"ZR822", 8, "2.0000"}, SetCase{"ZR822", 20, "2.0000"},
                    SetCase{"ZR822", 31, "2.0000"}, SetCase{"ZR822", 32, "0.0000"},
                    SetCase{"ZR823", 20, "2.0000"}, SetCase{"ZR823", 39, "0.0000"}));

TEST(ReferenceSetOf, SetNumbers) {
  EXPECT_EQ(ReferenceSetOf("ZR822", 20), 1);
  EXPECT_EQ(ReferenceSetOf("ZR820", 20), 2);
  EXPECT_EQ(ReferenceSetOf("ZR812", 9), 1);
  EXPECT_EQ(ReferenceSetOf("ZR812", 5), -1);
  EXPECT_EQ(ReferenceSetOf("ZR810", 20), -1);
  EXPECT_EQ(ReferenceSetOf("", 0), -1);
}

TEST(TransferFunction, OffsetDacWeighsFourOnSixteenBitAndOneOnFourteenBit) {
  // 16-bit: 4 x 5 x (8000 - 4 x 1000) / 65536 = 5 V; 14-bit: 4 x 5 x (2000 - 1000) / 16384 = 5 V.
  for (const char* model : {"ZR810", "ZR811"}) {
    ChipModel chip;
    chip.ApplySetup(*FindPart(model));
    chip.OffsetDAC1 = 0x1000;
    chip.DACs[8].DACreg = chip.PartBits == 16 ? 0x8000 : 0x2000;
    EXPECT_EQ(TransferFunction(chip, 8, {"0", "5", "0"}), "5.0000") << model;
  }
}

TEST(TransferFunction, RaisingOneOffsetDacLowersOnlyItsSet) {
  ChipModel chip = StartedChip("ZR820");
  const ReferenceTexts vref = DefaultReferences("ZR820");
  chip.OffsetDAC1 = 0x1556;
  for (int16_t i = 0; i < kChannelCount; ++i) {
    EXPECT_EQ(TransferFunction(chip, i, vref), i >= 8 && i <= 15 ? "-0.0007" : "0.0000") << i;
  }
}

TEST(TransferFunction, UnreadableReferenceFailsOnlyTheChannelsOfItsSet) {
  ChipModel chip = StartedChip("ZR820");
  for (const char* bad : {"", "abc", "2,5", "5V", "  "}) {
    const ReferenceTexts vref{"3", bad, "3"};
    EXPECT_EQ(TransferFunction(chip, 7, vref), "0.0000") << bad;
    EXPECT_EQ(TransferFunction(chip, 8, vref), std::nullopt) << bad;
    EXPECT_EQ(TransferFunction(chip, 15, vref), std::nullopt) << bad;
    EXPECT_EQ(TransferFunction(chip, 16, vref), "0.0000") << bad;
  }
  // A set that no channel of the model uses is never read.
  ChipModel zr810 = StartedChip("ZR810");
  EXPECT_EQ(TransferFunction(zr810, 20, {"5", "5", "abc"}), "0.0000");
}

TEST(TransferFunction, ChannelWithoutSetReadsZeroWhateverItsRegister) {
  ChipModel chip = StartedChip("ZR810");
  for (int32_t reg : {0, 0xFFFF, -70000}) {
    chip.DACs[20].DACreg = reg;
    EXPECT_EQ(TransferFunction(chip, 20, {"x", "x", "x"}), "0.0000") << reg;
  }
}

TEST(TransferFunction, WithoutAModelEveryChannelReadsZero) {
  ChipModel chip;
  chip.DACs[0].DACreg = 0x1234;
  chip.OffsetDAC0 = 0x2000;
  for (int16_t i : {int16_t{0}, int16_t{8}, int16_t{39}})
    EXPECT_EQ(TransferFunction(chip, i, {"x", "5", ""}), "0.0000");
}

TEST(TransferFunction, EmptyDacRegisterReadsZero) {
  ChipModel chip;
  chip.ApplySetup(*FindPart("ZR810"));
  chip.OffsetDAC0 = 0x1000;
  EXPECT_EQ(TransferFunction(chip, 3, {"5", "5", "5"}), "-5.0000");
}

TEST(TransferFunction, ReferenceTextMayCarryBlanksAndAnExponent) {
  ChipModel chip;
  chip.ApplySetup(*FindPart("ZR810"));
  chip.DACs[0].DACreg = 0x4000;
  EXPECT_EQ(TransferFunction(chip, 0, {" 2.50 ", "", ""}), "2.5000");
  EXPECT_EQ(TransferFunction(chip, 0, {"25e-1", "", ""}), "2.5000");
  EXPECT_EQ(TransferFunction(chip, 0, {"-1.25", "", ""}), "-1.2500");
}

TEST(OffsetDefaultsFor, ModelFamilies) {
  for (const char* model : {"ZR820", "ZR821", "ZR822", "ZR823"}) {
    const std::optional<OffsetDefaults> d = OffsetDefaultsFor(model);
    ASSERT_TRUE(d.has_value()) << model;
    EXPECT_EQ(d->offsetText, "1555");
    EXPECT_EQ(d->offsetCode, 0x1555);
    EXPECT_EQ(d->vrefText, "3");
  }
  for (const char* model : {"ZR810", "ZR811", "ZR812", "ZR813"}) {
    const std::optional<OffsetDefaults> d = OffsetDefaultsFor(model);
    ASSERT_TRUE(d.has_value()) << model;
    EXPECT_EQ(d->offsetText, "2000");
    EXPECT_EQ(d->offsetCode, 0x2000);
    EXPECT_EQ(d->vrefText, "5");
  }
  for (const char* model : {"", "zr810", "ZR830"})
    EXPECT_EQ(OffsetDefaultsFor(model), std::nullopt);
}

}  // namespace
