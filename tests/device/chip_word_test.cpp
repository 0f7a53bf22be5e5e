// How the chip decodes a 24-bit word: the register it reaches and the data that register keeps,
// on the family's largest chip and on models that lack channels, groups or functions. Every word
// the program builds decodes to the register it was built for.

#include <gtest/gtest.h>

#include <string>

#include "catalogue.h"
#include "chip_model.h"
#include "chip_word.h"
#include "command_word.h"

namespace {

using Target = ChipWord::Target;

struct DecodeCase {
  int32_t word;
  const char* model;  // nullptr: no model known
  ChipWord decoded;
};

TEST(DecodeChipWord, ReachesTheRegisterTheModelHas) {
  const DecodeCase cases[] = {
      // channel words: mode 3 input, 2 offset, 1 gain; addresses 8..47 are records 0..39
      {0xC81234, nullptr, {Target::InputRegister, 0, 0x1234}},
      {0x6FFFFF, nullptr, {Target::Gain, 39, 0xFFFF}},
      {0x8A0005, "ZR810", {Target::Offset, 2, 0x0005}},
      {0xF00001, nullptr, {}},  // address 48: beyond the last record
      {0xC70001, nullptr, {}},  // address 7: below the first
      {0xCC0001, "ZR812", {}},  // record 4: the 8-channel models have 0..3 and 8..11
      {0xD30001, "ZR812", {Target::InputRegister, 11, 0x0001}},
      {0xD40001, "ZR812", {}},  // record 12
      {0xD80001, "ZR810", {}},  // record 16 of a 16-channel model
      {0xEF0001, "ZR822", {}},  // record 39 of a 32-channel model
      {0xEF0001, "ZR820", {Target::InputRegister, 39, 0x0001}},
      // special functions
      {0x010005, "ZR823", {Target::Control, 0, 0x0005}},
      {0x04FFFF, "ZR810", {Target::OffsetDac, 2, 0x3FFF}},  // the offset DACs take 14 bits
      {0x058580, "ZR820", {Target::ReadbackSelect, 0, 0x8580}},
      {0x06ABCD, nullptr, {Target::ABSelect, 0, 0x00CD}},
      {0x07ABCD, "ZR812", {Target::ABSelect, 1, 0x000D}},  // groups of four members
      {0x08FFFF, "ZR812", {}},                             // group 2: no such channels
      {0x0A00FF, "ZR821", {Target::ABSelect, 4, 0x00FF}},
      {0x0A00FF, "ZR823", {}},
      {0x0CFFFF, "ZR811", {Target::Monitor, 0, 0x003F}},
      {0x0C0021, "ZR820", {}},  // no monitor on the 32- and 40-channel models
      {0x0D0003, "ZR813", {Target::Gpio, 0, 0x0003}},
      {0x0D0001, "ZR813", {Target::Gpio, 0, 0x0000}},  // the level means nothing on an input
      {0x0D0002, "ZR820", {}},
      {0x000000, nullptr, {}},
      {0x0B1234, nullptr, {}},
      {0x0E0001, nullptr, {}},
      {0x3F0001, nullptr, {}},
  };
  for (const DecodeCase& c : cases) {
    const PartInfo* part = c.model != nullptr ? FindPart(c.model) : nullptr;
    const ChipWord got = DecodeChipWord(c.word, part);
    EXPECT_EQ(got, c.decoded) << std::hex << c.word << " on " << (c.model ? c.model : "no model")
                              << ": target " << static_cast<int>(got.target) << " index "
                              << got.index << " data " << got.data;
  }
}

TEST(DecodeChipWord, EveryWordTheProgramBuildsReachesItsRegister) {
  for (const PartInfo& part : PartCatalogue()) {
    for (int dac = 0; dac < kChannelCount; ++dac) {
      if (!ChannelUsed(part, dac)) continue;
      const int32_t code = (1 << part.bits) - 1 - dac;
      const auto select = static_cast<int16_t>(dac);
      for (const auto& [mode, target] :
           {std::pair{Mode::X, Target::InputRegister}, std::pair{Mode::M, Target::Gain},
            std::pair{Mode::C, Target::Offset}}) {
        const ChipWord got =
            DecodeChipWord(ChannelRegisterWord(mode, code, select, part.bits), &part);
        EXPECT_EQ(got.target, target) << part.name << " record " << dac;
        EXPECT_EQ(got.index, dac) << part.name;
        EXPECT_EQ(ChannelCode(got.data, part.bits), code) << part.name << " record " << dac;
      }
    }
    EXPECT_EQ(DecodeChipWord(ControlRegisterWord(true), &part),
              (ChipWord{Target::Control, 0, kControlInputB}));
    EXPECT_EQ(DecodeChipWord(OffsetDacWord(1, 0x2ABC), &part),
              (ChipWord{Target::OffsetDac, 1, 0x2ABC}));
  }
}

TEST(ChannelCode, FourteenBitModelsCarryTheCodeInBits15To2) {
  EXPECT_EQ(ChannelCode(0xFFFF, 16), 0xFFFF);
  EXPECT_EQ(ChannelCode(0xFFFF, 14), 0x3FFF);
  EXPECT_EQ(ChannelCode(0x0007, 14), 1);
}

}  // namespace
