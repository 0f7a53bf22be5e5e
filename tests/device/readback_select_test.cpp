// The readback select table: the words the program already sends, every item and channel back
// through the decoder, the selects that name nothing, and the 14-bit code position.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "command_word.h"
#include "readback_select.h"

namespace {

TEST(ReadbackSelect, EncodesTheWordsTheProgramSendsToday) {
  // The GPIO read word.
  EXPECT_EQ(ReadbackSelectWord(ReadbackSelectData(ReadbackItem::Gpio)), 0x058580);
  EXPECT_EQ(ReadbackSelectData(ReadbackItem::Gpio), kGpioReadbackData);
  // The readback test's word: every field 0, which names no register.
  EXPECT_EQ(ReadbackSelectWord(0), 0x050000);
  EXPECT_EQ(DecodeReadbackSelect(0), std::nullopt);
  EXPECT_EQ(DecodeReadbackSelect(kGpioReadbackData), (ReadbackTarget{ReadbackItem::Gpio, 0}));
}

TEST(ReadbackSelect, WorkedWords) {
  struct Case {
    ReadbackItem item;
    int dac;
    int32_t word;
  };
  const Case cases[] = {
      {ReadbackItem::X1A, 0, 0x050400},        {ReadbackItem::X1B, 0, 0x052400},
      {ReadbackItem::C, 9, 0x054880},          {ReadbackItem::M, 39, 0x057780},
      {ReadbackItem::Control, 0, 0x058080},    {ReadbackItem::OffsetDac0, 0, 0x058100},
      {ReadbackItem::OffsetDac2, 0, 0x058200}, {ReadbackItem::ABSelect0, 0, 0x058300},
      {ReadbackItem::ABSelect4, 0, 0x058500},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadbackSelectWord(ReadbackSelectData(c.item, c.dac)), c.word)
        << ReadbackRow(c.item).name << " of " << c.dac;
  }
}

TEST(ReadbackSelect, EveryItemAndChannelDecodesBackAndNoTwoShareAWord) {
  std::set<int32_t> seen;
  for (const ReadbackSelectRow& row : kReadbackSelectTable) {
    const int records = IsChannelItem(row.item) ? 40 : 1;
    for (int dac = 0; dac < records; ++dac) {
      const int32_t data = ReadbackSelectData(row.item, dac);
      EXPECT_TRUE(seen.insert(data).second) << row.name << " of " << dac;
      EXPECT_EQ(DecodeReadbackSelect(data), (ReadbackTarget{row.item, dac}))
          << row.name << " of " << dac;
    }
  }
  EXPECT_EQ(seen.size(), size_t{4 * 40 + 10});
}

TEST(ReadbackSelect, SelectsThatNameNoRegister) {
  for (const int32_t data : {0x0000, 0x0380, 0x1800, 0x1880 | 0x01, 0x8000, 0x8600, 0x8600 | 0x80,
                             0x8000 | (12 << 7), 0xA000, 0xE400, 0x10000, -1}) {
    EXPECT_EQ(DecodeReadbackSelect(data), std::nullopt) << std::hex << data;
  }
}

TEST(ReadbackSelect, FourteenBitChannelCodesComeInBits15To2) {
  struct Case {
    ReadbackItem item;
    int16_t bits;
    uint16_t returned;
    int32_t code;
  };
  const Case cases[] = {
      {ReadbackItem::X1A, 14, 0xFFFC, 0x3FFF},       {ReadbackItem::M, 14, 0x8000, 0x2000},
      {ReadbackItem::X1B, 16, 0xFFFF, 0xFFFF},       {ReadbackItem::OffsetDac1, 14, 0x1555, 0x1555},
      {ReadbackItem::ABSelect3, 14, 0x00A5, 0x00A5}, {ReadbackItem::Control, 14, 0x0004, 0x0004},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadbackCode(c.item, c.bits, c.returned), c.code) << ReadbackRow(c.item).name;
    EXPECT_EQ(ReadbackBits(c.item, c.bits, c.code), c.returned) << ReadbackRow(c.item).name;
  }
}

TEST(ReadbackSelect, NumberedItemsOutOfRangeAreRefused) {
  EXPECT_THROW(OffsetDacItem(3), std::out_of_range);
  EXPECT_THROW(ABSelectItem(5), std::out_of_range);
  EXPECT_THROW(ReadbackSelectData(ReadbackItem::X1A, 40), std::out_of_range);
  EXPECT_EQ(ABSelectItem(2), ReadbackItem::ABSelect2);
  EXPECT_EQ(OffsetDacItem(1), ReadbackItem::OffsetDac1);
}

}  // namespace
