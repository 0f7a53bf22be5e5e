#pragma once
// The chip's readback select, as this program understands it: which register a readback returns.
//
// A readback is two requests: the readback select word (mode 00, special-function code 05 in
// bits 21..16) and then request DD in the in direction, whose first two bytes are the chosen
// register's 16 bits as the chip holds them, low byte first, in the bit positions of the write
// (a 14-bit model's channel codes in bits 15..2).
//
// The select word's data bits:
//   bits 15..13  the register: 0 X1A, 1 X1B, 2 C, 3 M of a channel, 4 a special register
//   bits 12..7   for a channel register the channel's address (08..2F hex, as in the
//                channel-register words); for a special register its number:
//                1 control, 2..4 offset DAC 0..2, 6..10 A/B select of group 0..4, 11 GPIO pin
//   bits  6..0   0
// The GPIO read word 058580 is register 4, number 11; the readback test's 050000 has every field
// at 0 and names none of the registers below.
//
// kReadbackSelectTable is the only place that holds these numbers: were a board's chip to answer
// otherwise, the table is corrected and everything that reads back follows.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class ReadbackItem {
  X1A,
  X1B,
  C,
  M,
  Control,
  OffsetDac0,
  OffsetDac1,
  OffsetDac2,
  ABSelect0,
  ABSelect1,
  ABSelect2,
  ABSelect3,
  ABSelect4,
  Gpio,
};

struct ReadbackSelectRow {
  ReadbackItem item;
  int registerField;      // bits 15..13
  int numberField;        // bits 12..7 of a special register; -1: the channel's address goes there
  std::string_view name;  // as the verification names it
};

inline constexpr std::array<ReadbackSelectRow, 14> kReadbackSelectTable{{
    {ReadbackItem::X1A, 0, -1, "X1A"},
    {ReadbackItem::X1B, 1, -1, "X1B"},
    {ReadbackItem::C, 2, -1, "C"},
    {ReadbackItem::M, 3, -1, "M"},
    {ReadbackItem::Control, 4, 1, "control"},
    {ReadbackItem::OffsetDac0, 4, 2, "offset DAC 0"},
    {ReadbackItem::OffsetDac1, 4, 3, "offset DAC 1"},
    {ReadbackItem::OffsetDac2, 4, 4, "offset DAC 2"},
    {ReadbackItem::ABSelect0, 4, 6, "A/B select 0"},
    {ReadbackItem::ABSelect1, 4, 7, "A/B select 1"},
    {ReadbackItem::ABSelect2, 4, 8, "A/B select 2"},
    {ReadbackItem::ABSelect3, 4, 9, "A/B select 3"},
    {ReadbackItem::ABSelect4, 4, 10, "A/B select 4"},
    {ReadbackItem::Gpio, 4, 11, "GPIO"},
}};

// The rows stand in the order of the items, so that an item finds its row at once.
constexpr bool RowsInItemOrder() {
  for (std::size_t i = 0; i < kReadbackSelectTable.size(); ++i) {
    if (static_cast<std::size_t>(kReadbackSelectTable[i].item) != i) return false;
  }
  return true;
}
static_assert(RowsInItemOrder());

// The row of `item`.
inline const ReadbackSelectRow& ReadbackRow(ReadbackItem item) {
  return kReadbackSelectTable.at(static_cast<std::size_t>(item));
}

// Whether `item` is one of a channel's four registers (X1A, X1B, C, M).
inline bool IsChannelItem(ReadbackItem item) {
  return ReadbackRow(item).numberField < 0;
}

// Offset DAC k (0..2) and the A/B select register of group g (0..4) by number.
ReadbackItem OffsetDacItem(int k);
ReadbackItem ABSelectItem(int group);

// The select word's data bits for `item`; `dac` is the channel record (0..39) of a channel item
// and is not looked at otherwise.
int32_t ReadbackSelectData(ReadbackItem item, int dac = 0);

// What a select word's data bits name: the item and, for a channel item, its record; nothing when
// they name no register (an address outside 08..2F, an unknown number, bits 6..0 set).
struct ReadbackTarget {
  ReadbackItem item = ReadbackItem::X1A;
  int dac = 0;
  bool operator==(const ReadbackTarget&) const = default;
};
std::optional<ReadbackTarget> DecodeReadbackSelect(int32_t data);

// The code a readback of `item` stands for, from the 16 bits returned: a channel code of a
// 14-bit model comes in bits 15..2.
int32_t ReadbackCode(ReadbackItem item, int16_t partBits, uint16_t returned);
// The 16 bits a register holding `code` returns: the inverse of ReadbackCode.
uint16_t ReadbackBits(ReadbackItem item, int16_t partBits, int32_t code);
