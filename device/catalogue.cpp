#include "catalogue.h"

#include <algorithm>

namespace {

constexpr ChannelRange kNone{};

constexpr std::array<PartInfo, kPartCount> kCatalogue{{
    // name, bits, channels, reset, F, sets 0..2, VREF2, offset DAC 2, monitor, labels, 4+4
    {"ZR810", 16, 16, 0x8000, 4, {{{0, 7}, {8, 15}, kNone}}, false, false, 16, 16, false},
    {"ZR811", 14, 16, 0x2000, 1, {{{0, 7}, {8, 15}, kNone}}, false, false, 16, 16, false},
    {"ZR812", 16, 8, 0x8000, 4, {{{0, 3}, {8, 11}, kNone}}, false, false, 8, 8, true},
    {"ZR813", 14, 8, 0x2000, 1, {{{0, 3}, {8, 11}, kNone}}, false, false, 8, 8, true},
    {"ZR820", 16, 40, 0x5554, 4, {{{0, 7}, {8, 15}, {16, 39}}}, true, false, 0, 40, false},
    {"ZR821", 14, 40, 0x1555, 1, {{{0, 7}, {8, 15}, {16, 39}}}, true, true, 0, 40, false},
    {"ZR822", 16, 32, 0x5554, 4, {{{0, 7}, {8, 31}, kNone}}, false, false, 0, 32, false},
    {"ZR823", 14, 32, 0x1555, 1, {{{0, 7}, {8, 31}, kNone}}, false, false, 0, 32, false},
}};

// Records 8..11 hold the second group of four on the 8-channel models.
constexpr ChannelRange kFirstFour{0, 3};
constexpr ChannelRange kSecondFour{8, 11};
constexpr int kSecondFourOffset = kSecondFour.first - 4;

}  // namespace

const std::array<PartInfo, kPartCount>& PartCatalogue() {
  return kCatalogue;
}

const PartInfo* FindPart(std::string_view PartName) {
  const auto row = std::find_if(kCatalogue.begin(), kCatalogue.end(),
                                [PartName](const PartInfo& info) { return info.name == PartName; });
  return row == kCatalogue.end() ? nullptr : &*row;
}

bool ChannelUsed(const PartInfo& part, int index) {
  if (part.fourChannelGroups) return kFirstFour.contains(index) || kSecondFour.contains(index);
  return index >= 0 && index < part.channels;
}

int OutputLabelRecord(const PartInfo* part, int label) {
  if (part != nullptr && part->fourChannelGroups && label >= 4 && label <= 7) {
    return label + kSecondFourOffset;
  }
  return label;
}
