#include "channel_number.h"

namespace {
constexpr int kSecondFourShift = 4;  // channels 4..7 sit in records 8..11
}  // namespace

int RecordOfChannel(const PartInfo* part, int n) {
  if (part == nullptr || n < 0 || n >= part->channels) return -1;
  if (part->fourChannelGroups && n >= 4) return n + kSecondFourShift;
  return n;
}

int ChannelOfRecord(const PartInfo* part, int dac) {
  if (part == nullptr || !ChannelUsed(*part, dac)) return -1;
  if (part->fourChannelGroups && dac >= 8) return dac - kSecondFourShift;
  return dac;
}
