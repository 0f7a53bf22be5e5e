#pragma once
// The catalogue of the eight chip models: one row per model, in the order of the buttons of the
// part-selection window.

#include <array>
#include <cstdint>
#include <string_view>

// Channel records exist for 40 channels whatever the model: five groups of eight.
inline constexpr int kChannelCount = 40;
inline constexpr int kGroupSize = 8;

// A run of channel-record indexes, first..last inclusive; empty when last < first.
struct ChannelRange {
  int first = 0;
  int last = -1;
  constexpr bool contains(int index) const { return index >= first && index <= last; }
  constexpr bool empty() const { return last < first; }
};

struct PartInfo {
  std::string_view name;      // PartName
  int16_t bits;               // PartBits: 16 or 14
  int16_t channels;           // PartChannels: 8, 16, 32 or 40
  int32_t resetCode;          // power-on code of the input, corrected and DAC registers
  int offsetFactor;           // F: weight of the offset DAC code in the transfer function
  // Reference sets 0..2 (offset DAC k with VREFk) by channel-record index. On the 8-channel
  // models the chip's second group of four lives in records 8..11, so set 1 is records 8..11.
  std::array<ChannelRange, 3> referenceSets;
  bool showVref2;             // Label5(2) and txtVREF(2) shown
  bool showOffsetDac2;        // third offset DAC row shown
  int monitorEntries;         // channel items of the monitor list; 0 = monitor and GPIO hidden
  int outputLabels;           // lblvout(0) .. lblvout(outputLabels - 1) stay visible
  bool fourChannelGroups;     // the 8-channel layout: records 0..3 and 8..11
};

inline constexpr int kPartCount = 8;

// The eight rows, index = button index of the part-selection window.
const std::array<PartInfo, kPartCount>& PartCatalogue();

// The row whose name is exactly PartName (case-sensitive), or nullptr.
const PartInfo* FindPart(std::string_view PartName);

// Whether the model offers channel record `index` (0..39) in its channel buttons.
bool ChannelUsed(const PartInfo& part, int index);

// Record index shown by output label `label` (0..39): the label's own index, except that on the
// 8-channel models Vout4..Vout7 show the chip's second group, records 8..11.
int OutputLabelRecord(const PartInfo* part, int label);
