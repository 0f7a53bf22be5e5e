#include "readback_select.h"

#include <stdexcept>

namespace {

constexpr int kRegisterShift = 13;
constexpr int kNumberShift = 7;
constexpr int32_t kNumberMask = 0x3F;
constexpr int32_t kLowBits = 0x7F;          // bits 6..0: always 0
constexpr int kFirstChannelAddress = 0x08;  // channel record 0
constexpr int kLastChannelAddress = 0x2F;   // channel record 39

int32_t Fields(int registerField, int numberField) {
  return (registerField << kRegisterShift) | (numberField << kNumberShift);
}

}  // namespace

ReadbackItem OffsetDacItem(int k) {
  if (k < 0 || k > 2) throw std::out_of_range("offset DAC number out of range");
  return static_cast<ReadbackItem>(static_cast<int>(ReadbackItem::OffsetDac0) + k);
}

ReadbackItem ABSelectItem(int group) {
  if (group < 0 || group > 4) throw std::out_of_range("A/B select group out of range");
  return static_cast<ReadbackItem>(static_cast<int>(ReadbackItem::ABSelect0) + group);
}

int32_t ReadbackSelectData(ReadbackItem item, int dac) {
  const ReadbackSelectRow& row = ReadbackRow(item);
  if (row.numberField >= 0) return Fields(row.registerField, row.numberField);
  if (dac < 0 || dac > kLastChannelAddress - kFirstChannelAddress) {
    throw std::out_of_range("channel record out of range");
  }
  return Fields(row.registerField, dac + kFirstChannelAddress);
}

std::optional<ReadbackTarget> DecodeReadbackSelect(int32_t data) {
  if ((data & kLowBits) != 0 || data < 0 || data > 0xFFFF) return std::nullopt;
  const int registerField = data >> kRegisterShift;
  const int number = (data >> kNumberShift) & kNumberMask;
  for (const ReadbackSelectRow& row : kReadbackSelectTable) {
    if (row.registerField != registerField) continue;
    if (row.numberField < 0 && number >= kFirstChannelAddress && number <= kLastChannelAddress) {
      return ReadbackTarget{row.item, number - kFirstChannelAddress};
    }
    if (row.numberField == number) return ReadbackTarget{row.item, 0};
  }
  return std::nullopt;
}

int32_t ReadbackCode(ReadbackItem item, int16_t partBits, uint16_t returned) {
  return IsChannelItem(item) && partBits == 14 ? returned >> 2 : returned;
}

uint16_t ReadbackBits(ReadbackItem item, int16_t partBits, int32_t code) {
  const int32_t bits = IsChannelItem(item) && partBits == 14 ? code * 4 : code;
  return static_cast<uint16_t>(bits & 0xFFFF);
}
